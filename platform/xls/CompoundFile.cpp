// Compound files through libgsf.
#include "platform/xls/CompoundFile.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/Error.h"
#include "platform/files/Writeback.h"
#include "platform/xls/Damage.h"

namespace glossel::xls {
namespace {

constexpr std::size_t kWritebackInterval = 4 << 20;

constexpr int kMaxDepth = 32;
constexpr std::size_t kReadChunk = 1 << 20;

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GPtr = std::unique_ptr<T, Unref>;

void ignoreLibraryMessages(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

// libgsf's GsfInfile logs without a domain; everything else without one goes on as usual.
void filterUndomainedMessages(const gchar* domain, GLogLevelFlags level, const gchar* message,
                              gpointer data) {
    if (!g_str_has_prefix(message, "Unable to get child")) {
        g_log_default_handler(domain, level, message, data);
    }
}

void initialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        for (const char* domain : {"libgsf", "libgsf:msole"}) {
            g_log_set_handler(domain,
                              static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL |
                                                          G_LOG_FLAG_RECURSION),
                              ignoreLibraryMessages, nullptr);
        }
        g_log_set_handler(nullptr, static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING),
                          filterUndomainedMessages, nullptr);
    });
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return g_ascii_tolower(x) == g_ascii_tolower(y);
           });
}

class TreeReader {
public:
    TreeReader(const std::string& path, std::size_t fileSize) : path_(path), fileSize_(fileSize) {}

    void readStorage(GsfInfile* storage, CompoundEntry& entry, int depth);

private:
    void readStream(GsfInput* stream, CompoundEntry& entry);
    [[noreturn]] void damaged(const std::string& what) const {
        throwDamaged({path_, {}}, std::nullopt, std::nullopt, what);
    }

    const std::string& path_;
    std::size_t fileSize_;
};

void TreeReader::readStream(GsfInput* stream, CompoundEntry& entry) {
    const gsf_off_t size = gsf_input_size(stream);
    if (size < 0 || static_cast<std::uint64_t>(size) > fileSize_) {
        damaged("der Datenstrom '" + entry.name + "' ist länger als die Datei");
    }
    entry.bytes.resize(static_cast<std::size_t>(size));
    for (std::size_t done = 0; done < entry.bytes.size();) {
        const std::size_t chunk = std::min(kReadChunk, entry.bytes.size() - done);
        if (gsf_input_read(stream, chunk, entry.bytes.data() + done) == nullptr) {
            damaged("der Datenstrom '" + entry.name + "' kann nicht gelesen werden");
        }
        done += chunk;
    }
}

void TreeReader::readStorage(GsfInfile* storage, CompoundEntry& entry, int depth) {
    if (depth > kMaxDepth) {
        damaged("die Speicher sind tiefer als " + std::to_string(kMaxDepth) +
                " Ebenen verschachtelt");
    }
    entry.isStorage = true;
    gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(storage), entry.classId.data());
    const int count = gsf_infile_num_children(storage);
    for (int i = 0; i < count; ++i) {
        const char* name = gsf_infile_name_by_index(storage, i);
        GPtr<GsfInput> child(gsf_infile_child_by_index(storage, i));
        if (!child || !name) {
            damaged("der Eintrag " + std::to_string(i) + " eines Speichers ist nicht lesbar");
        }
        CompoundEntry& childEntry = entry.children.emplace_back();
        childEntry.name = name;
        GsfInfile* childStorage = GSF_INFILE(child.get());
        if (gsf_infile_num_children(childStorage) >= 0) {
            readStorage(childStorage, childEntry, depth + 1);
        } else {
            readStream(child.get(), childEntry);
        }
    }
}

void writeEntry(GsfOutfile* parent, const CompoundEntry& entry, const CompoundEntry* replaced,
                const StreamPieces& replacement);

void writeChildren(GsfOutfile* storage, const CompoundEntry& entry, const CompoundEntry* replaced,
                   const StreamPieces& replacement) {
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(storage), entry.classId.data());
    for (const CompoundEntry& child : entry.children) {
        writeEntry(storage, child, replaced, replacement);
    }
}

void writeEntry(GsfOutfile* parent, const CompoundEntry& entry, const CompoundEntry* replaced,
                const StreamPieces& replacement) {
    GPtr<GsfOutput> output(gsf_outfile_new_child(parent, entry.name.c_str(), entry.isStorage));
    if (!output) {
        throw Error(err::kDiskIo, "Der Eintrag '" + entry.name +
                                      "' der Verbunddatei kann nicht angelegt werden.");
    }
    bool written = true;
    if (entry.isStorage) {
        writeChildren(GSF_OUTFILE(output.get()), entry, replaced, replacement);
    } else {
        const auto put = [&](std::span<const std::uint8_t> bytes) {
            if (written && !bytes.empty()) {
                written = gsf_output_write(output.get(), bytes.size(), bytes.data());
            }
        };
        if (&entry == replaced) {
            replacement(put);
        } else {
            put(entry.bytes);
        }
    }
    if (!gsf_output_close(output.get()) || !written) {
        throw Error(err::kDiskIo, "Der Eintrag '" + entry.name +
                                      "' der Verbunddatei kann nicht geschrieben werden.");
    }
}

// Writes the tree into `sink` and closes both.
void writeTree(GsfOutput* sink, const CompoundEntry& root, const CompoundEntry* replaced,
               const StreamPieces& replacement) {
    GPtr<GsfOutfile> outfile(gsf_outfile_msole_new(sink));
    writeChildren(outfile.get(), root, replaced, replacement);
    if (!gsf_output_close(GSF_OUTPUT(outfile.get()))) {
        throw Error(err::kDiskIo, "Die Verbunddatei kann nicht geschrieben werden.");
    }
}

}  // namespace

CompoundEntry* CompoundEntry::findStream(std::string_view wanted) {
    for (CompoundEntry& child : children) {
        if (!child.isStorage && sameLetters(child.name, wanted)) {
            return &child;
        }
    }
    return nullptr;
}

CompoundEntry readCompoundFile(std::span<const std::uint8_t> bytes, const std::string& path) {
    initialiseLibrary();
    GPtr<GsfInput> input(
        gsf_input_memory_new(bytes.data(), static_cast<gsf_off_t>(bytes.size()), FALSE));
    GError* error = nullptr;
    GPtr<GsfInfile> root(gsf_infile_msole_new(input.get(), &error));
    if (!root) {
        if (error) {
            g_error_free(error);
        }
        throwUnrecognised(path, "die Datei ist keine OLE2-Verbunddatei (Excel 97-2003)");
    }
    CompoundEntry entry;
    entry.name = "Root Entry";
    TreeReader(path, bytes.size()).readStorage(root.get(), entry, 0);
    return entry;
}

std::vector<std::uint8_t> writeCompoundFile(const CompoundEntry& root,
                                            const CompoundEntry* replaced,
                                            std::span<const std::uint8_t> replacement) {
    initialiseLibrary();
    GPtr<GsfOutput> sink(gsf_output_memory_new());
    writeTree(
        sink.get(), root, replaced,
        [&](const std::function<void(std::span<const std::uint8_t>)>& put) { put(replacement); });
    const auto* data = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(sink.get()));
    const auto size = static_cast<std::size_t>(gsf_output_size(sink.get()));
    return std::vector<std::uint8_t>(data, data + size);
}

void writeCompoundFile(const CompoundEntry& root, const CompoundEntry* replaced,
                       const StreamPieces& replacement, std::FILE* file) {
    initialiseLibrary();
    GPtr<GsfOutput> sink(gsf_output_stdio_new_FILE("", file, TRUE));
    // What is written starts on its way to the disk every few megabytes, so that the file's sync
    // at the end has little left to wait for.
    std::size_t sinceWriteback = 0;
    const StreamPieces startingWriteback = [&](const auto& put) {
        replacement([&](std::span<const std::uint8_t> piece) {
            put(piece);
            sinceWriteback += piece.size();
            if (sinceWriteback >= kWritebackInterval && std::fflush(file) == 0) {
                files::startWriteback(file);
                sinceWriteback = 0;
            }
        });
    };
    writeTree(sink.get(), root, replaced, startingWriteback);
}

}  // namespace glossel::xls
