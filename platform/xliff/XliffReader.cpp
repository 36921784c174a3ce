// A handler over the streaming parser that keeps only what the import needs: languages, ids,
// source and target texts, states. The file is read in pieces; what a document from outside may
// hold is bounded by XliffFormat.h.
#include "platform/xliff/XliffReader.h"

#include <algorithm>
#include <functional>
#include <span>
#include <tuple>
#include <type_traits>
#include <vector>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/ExistingFile.h"
#include "platform/files/SystemErrorText.h"
#include "platform/xliff/XliffFormat.h"
#include "platform/xml/XmlParser.h"

namespace glossel::xliff {
namespace {

constexpr std::size_t kReadPiece = std::size_t{64} << 10;

// As the lists grow, files and units are moved, never copied with all their texts.
static_assert(std::is_nothrow_move_constructible_v<XliffReadFile>);
static_assert(std::is_nothrow_move_constructible_v<XliffReadUnit>);

class DocumentFailure final : public xml::XmlFailure {
public:
    explicit DocumentFailure(std::string shownPath) : shownPath_(std::move(shownPath)) {}
    [[noreturn]] void fail(std::uint64_t line, std::string_view what) const override {
        std::string description = "Die XLIFF-Datei '";
        description += shownPath_;
        description += "' ist beschädigt";
        if (line > 0) {
            description += " (Zeile ";
            description += std::to_string(line);
            description += ')';
        }
        description += ": ";
        description += what;
        description += '.';
        throw Error(err::kDamaged, description);
    }

private:
    std::string shownPath_;
};

[[noreturn]] void throwNoXliff(const std::string& shownPath, std::string_view what) {
    std::string description = "Die Datei '";
    description += shownPath;
    description += "' ist keine XLIFF-Datei: ";
    description += what;
    description += '.';
    throw Error(err::kUnrecognisedFormat, description);
}

// The states of a target that say it holds a translation; "new", "needs-translation",
// "needs-l10n" and states of a tool's own ("x-…") do not.
bool isTranslatedState(std::string_view state) {
    return state == "translated" || state == "final" || state == "signed-off" ||
           state == "needs-adaptation" || state.starts_with("needs-review-");
}

// Inline elements whose content is a code of the original format, not text.
bool holdsCode(std::string_view local) {
    return local == "ph" || local == "bpt" || local == "ept" || local == "it" || local == "sub";
}

std::string quotedName(const xml::XmlName& name) {
    std::string quoted = "<";
    if (!name.prefix.empty()) {
        quoted += name.prefix;
        quoted += ':';
    }
    quoted += name.local;
    quoted += '>';
    return quoted;
}

class XliffHandler final : public xml::XmlHandler {
public:
    XliffHandler(XliffDocument& document, std::string shownPath)
        : document_(document), shownPath_(std::move(shownPath)) {}

    xml::XmlParser* parser = nullptr;
    const xml::XmlFailure* failure = nullptr;

    void start(const xml::XmlName& name, const xml::XmlAttributes& attributes) override {
        ++depth_;
        if (skipUntil_ != 0) {
            return;
        }
        if (depth_ == 1) {
            startRoot(name);
            return;
        }
        const bool ours = name.ns == namespace_;
        switch (place_) {
            case Place::Document:
                if (ours && name.local == "file") {
                    startFile(attributes);
                } else {
                    skip();
                }
                break;
            case Place::File:
                if (ours && (name.local == "body" || name.local == "group")) {
                    break;
                }
                if (ours && name.local == "trans-unit") {
                    startUnit(attributes);
                } else {
                    skip();
                }
                break;
            case Place::Unit:
                if (ours && name.local == "source") {
                    startSource();
                } else if (ours && name.local == "target") {
                    startTarget(attributes);
                } else {
                    skip();
                }
                break;
            case Place::Source:
                if (holdsCode(name.local)) {
                    skip();
                }
                break;
            case Place::Target:
                if (!ours || name.local != "mrk") {
                    parser->fail("das Ziel der ID " + unit().id + " enthält das Element " +
                                 quotedName(name) +
                                 "; Texte ohne Formatierung tragen keine Inline-Elemente");
                }
                break;
        }
    }

    void end(const xml::XmlName&) override {
        if (skipUntil_ == depth_) {
            skipUntil_ = 0;
        } else if (skipUntil_ == 0 && depth_ == textDepth_) {
            place_ = Place::Unit;
            textDepth_ = 0;
        } else if (skipUntil_ == 0 && depth_ == unitDepth_) {
            place_ = Place::File;
            unitDepth_ = 0;
        } else if (skipUntil_ == 0 && depth_ == fileDepth_) {
            refuseIdsTwice(document_.files.back());
            place_ = Place::Document;
            fileDepth_ = 0;
        }
        --depth_;
    }

    void text(std::string_view piece) override {
        if (skipUntil_ != 0 || (place_ != Place::Source && place_ != Place::Target)) {
            return;
        }
        std::string& into = place_ == Place::Source ? unit().source : unit().target;
        if (into.size() + piece.size() > kMaxTextBytes) {
            parser->fail("ein Text der ID " + unit().id + " ist länger als " +
                         std::to_string(kMaxTextBytes) + " Bytes");
        }
        into += piece;
    }

    void finish() const {
        if (namespace_.empty()) {
            throwNoXliff(shownPath_, "sie enthält kein Element <xliff>");
        }
    }

private:
    enum class Place { Document, File, Unit, Source, Target };

    XliffReadUnit& unit() { return document_.files.back().units.back(); }

    void skip() { skipUntil_ = depth_; }

    void enterText(Place place) {
        place_ = place;
        textDepth_ = depth_;
    }

    void startRoot(const xml::XmlName& name) {
        if (name.local != "xliff" || (name.ns != kNamespace12 && name.ns != kNamespace11)) {
            throwNoXliff(shownPath_, "das Wurzelelement ist " + quotedName(name) +
                                         ", nicht <xliff> im Namensraum von XLIFF 1.1 oder 1.2");
        }
        namespace_ = std::string(name.ns);
    }

    std::string requiredAttribute(const xml::XmlAttributes& attributes, std::string_view name,
                                  std::string_view element) const {
        const char* value = attributes.find(name);
        if (value == nullptr || *value == '\0') {
            parser->fail("das Element <" + std::string(element) + "> hat kein Attribut " +
                         std::string(name));
        }
        const std::string_view text(value);
        if (text.size() > kMaxAttributeBytes) {
            parser->fail("das Attribut " + std::string(name) + " ist länger als " +
                         std::to_string(kMaxAttributeBytes) + " Bytes");
        }
        return std::string(text);
    }

    void startFile(const xml::XmlAttributes& attributes) {
        XliffReadFile file;
        file.line = parser->line();
        file.sourceLanguage = requiredAttribute(attributes, "source-language", "file");
        file.targetLanguage = requiredAttribute(attributes, "target-language", "file");
        document_.files.push_back(std::move(file));
        place_ = Place::File;
        fileDepth_ = depth_;
    }

    void startUnit(const xml::XmlAttributes& attributes) {
        if (++unitCount_ > kMaxUnits) {
            parser->fail("die Datei hat mehr als " + std::to_string(kMaxUnits) + " Einheiten");
        }
        XliffReadUnit read;
        read.line = parser->line();
        read.id = requiredAttribute(attributes, "id", "trans-unit");
        const char* approved = attributes.find("approved");
        approved_ = approved != nullptr && std::string_view(approved) == "yes";
        hasSource_ = false;
        document_.files.back().units.push_back(std::move(read));
        place_ = Place::Unit;
        unitDepth_ = depth_;
    }

    // The ids are sorted once a <file> is read, by hash first: that costs far less than a set
    // kept while reading or a sort by the ids themselves.
    void refuseIdsTwice(const XliffReadFile& file) const {
        struct Key {
            std::size_t hash;
            const XliffReadUnit* unit;
        };
        std::vector<Key> keys;
        keys.reserve(file.units.size());
        for (const XliffReadUnit& unit : file.units) {
            keys.push_back({std::hash<std::string>{}(unit.id), &unit});
        }
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            return std::tie(a.hash, a.unit->id, a.unit->line) <
                   std::tie(b.hash, b.unit->id, b.unit->line);
        });
        const auto twice = std::adjacent_find(keys.begin(), keys.end(),
                                              [](const Key& a, const Key& b) {
                                                  return a.hash == b.hash &&
                                                         a.unit->id == b.unit->id;
                                              });
        if (twice != keys.end()) {
            const XliffReadUnit& later = *(twice + 1)->unit;
            failure->fail(later.line, "die ID " + later.id +
                                          " steht zweimal im Element <file> der Zeile " +
                                          std::to_string(file.line) + " (auch in Zeile " +
                                          std::to_string(twice->unit->line) + ")");
        }
    }

    void startSource() {
        if (hasSource_) {
            parser->fail("die ID " + unit().id + " hat zwei Ausgangstexte (source)");
        }
        hasSource_ = true;
        enterText(Place::Source);
    }

    void startTarget(const xml::XmlAttributes& attributes) {
        XliffReadUnit& current = unit();
        if (current.hasTarget) {
            parser->fail("die ID " + current.id + " hat zwei Ziele (target)");
        }
        const char* state = attributes.find("state");
        current.hasTarget = true;
        current.translated = approved_ || state == nullptr || isTranslatedState(state);
        enterText(Place::Target);
    }

    static constexpr std::size_t kMaxUnits = 4'000'000;

    XliffDocument& document_;
    std::string shownPath_;
    std::string namespace_;
    Place place_ = Place::Document;
    unsigned depth_ = 0;
    unsigned skipUntil_ = 0;  // the depth of an element whose content is passed over
    unsigned fileDepth_ = 0;
    unsigned unitDepth_ = 0;
    unsigned textDepth_ = 0;
    std::size_t unitCount_ = 0;
    bool approved_ = false;
    bool hasSource_ = false;  // of the current unit
};

// Feeds the parser and the handler; `read` hands over the next piece, empty at the end.
template <typename Read>
XliffDocument parsePieces(const std::string& shownPath, Read read) {
    XliffDocument document;
    XliffHandler handler(document, shownPath);
    const DocumentFailure failure(shownPath);
    xml::XmlParser parser(handler, failure, kMaxXmlDepth);
    handler.parser = &parser;
    handler.failure = &failure;
    for (;;) {
        const std::string_view piece = read();
        parser.feed(piece, piece.empty());
        if (piece.empty()) {
            break;
        }
    }
    handler.finish();
    return document;
}

}  // namespace

XliffDocument parseXliff(std::string_view document, const std::string& path) {
    const std::string shownPath = nativePath(path);
    if (document.size() > kMaxDocumentSize) {
        DocumentFailure(shownPath).fail(0, "sie ist größer als " +
                                               std::to_string(kMaxDocumentSize >> 20) + " MiB");
    }
    bool given = false;
    return parsePieces(shownPath, [&]() -> std::string_view {
        if (given) {
            return {};
        }
        given = true;
        return document;
    });
}

XliffDocument readXliff(const std::string& path) {
    const std::string shownPath = nativePath(path);
    files::FileInfo info;
    files::File file = files::openExistingFile(nativePath(path), shownPath, info);
    const DocumentFailure failure(shownPath);
    if (info.size > kMaxDocumentSize) {
        failure.fail(0, "sie ist größer als " + std::to_string(kMaxDocumentSize >> 20) + " MiB");
    }
    std::vector<std::uint8_t> buffer(kReadPiece);
    std::uint64_t total = 0;
    return parsePieces(shownPath, [&]() -> std::string_view {
        std::size_t got = 0;
        if (const int error = file.readSome(buffer, got)) {
            throw Error(err::kDiskIo, "Lesefehler in der Datei '" + shownPath +
                                          "': " + files::systemErrorText(error) + ".");
        }
        total += got;
        if (total > kMaxDocumentSize) {
            failure.fail(0, "sie ist größer als " + std::to_string(kMaxDocumentSize >> 20) +
                                " MiB");
        }
        return std::string_view(reinterpret_cast<const char*>(buffer.data()), got);
    });
}

}  // namespace glossel::xliff
