// Cutting a key's sections out of a ".reg" file.
#include "platform/systools/RegKeyRemoval.h"

#include "platform/systools/RegFileFormat.h"
#include "platform/systools/RegistryNames.h"
#include "platform/systools/RegistryTree.h"

namespace glossel::systools {
namespace {

std::vector<std::string> folded(const std::vector<std::string>& path) {
    std::vector<std::string> names;
    for (const std::string& name : path) {
        names.push_back(foldName(name));
    }
    return names;
}

// "[HKEY_…\Parent]" with the names as the registry spells them.
std::string keyLine(const RegistryTree& tree, const std::vector<std::string>& path) {
    std::string line(1, kKeyStart);
    for (std::size_t depth = 1; depth <= path.size(); ++depth) {
        const std::vector<std::string> upToHere(path.begin(), path.begin() + depth);
        line += (depth > 1 ? std::string(1, kKeySeparator) : "") + tree.find(upToHere)->name;
    }
    return line + kKeyEnd;
}

// The file without the removed lines; `insert` goes where line `insertAt` was.
std::vector<std::uint8_t> assemble(std::span<const std::uint8_t> bytes,
                                   const std::vector<RegLine>& lines,
                                   const std::vector<bool>& removed, std::size_t insertAt,
                                   const std::vector<std::uint8_t>& insert) {
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size() + insert.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == insertAt) {
            out.insert(out.end(), insert.begin(), insert.end());
        }
        if (!removed[i]) {
            out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(lines[i].begin),
                       bytes.begin() + static_cast<std::ptrdiff_t>(lines[i].end));
        }
    }
    return out;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> bytesWithoutKey(std::span<const std::uint8_t> bytes,
                                                         const RegDocument& document,
                                                         const std::vector<std::string>& path) {
    const RegistryTree tree(document);
    if (path.size() < 2 || tree.find(path) == nullptr) {
        return std::nullopt;
    }
    const std::vector<std::string> key = folded(path);
    const std::vector<RegLine>& lines = document.text.lines;
    std::vector<bool> removed(lines.size(), false);
    std::size_t lastRemovedLine = 0;
    for (const RegSection& section : document.sections) {
        if (section.removesKey || !isAtOrBelow(folded(section.path), key)) {
            continue;
        }
        for (std::size_t i = section.firstLine; i < section.endLine; ++i) {
            removed[i] = true;
        }
        lastRemovedLine = section.firstLine;
    }
    std::vector<std::uint8_t> out = assemble(bytes, lines, removed, lines.size(), {});

    // A parent that only existed through the removed sections is kept by a key line of its
    // own, put where the last of them was (after any line that removes the parent).
    const std::vector<std::string> parent(path.begin(), path.end() - 1);
    if (parent.size() < 2 || RegistryTree(parseRegDocument(out, "")).find(parent) != nullptr) {
        return out;
    }
    const RegLine& cut = lines[lastRemovedLine];
    return assemble(bytes, lines, removed, lastRemovedLine,
                    encodeRegLine(keyLine(tree, parent), cut.lineEnd, document.text.encoding));
}

}  // namespace glossel::systools
