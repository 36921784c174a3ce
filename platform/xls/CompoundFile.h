// The OLE2 compound file around the Workbook stream, held in memory as a tree of storages and
// streams, read and written through libgsf. Everything in it is written back as read (names,
// stream bytes, class ids of the root and of every storage), except the one stream the caller
// replaces. libgsf's own warnings never reach stderr: the engine reports problems as errors.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/spreadsheet/StreamBytes.h"

namespace glossel::xls {

struct CompoundEntry {
    std::string name;
    bool isStorage = false;
    std::array<std::uint8_t, 16> classId{};  // storages only
    spreadsheet::StreamBytes bytes;                       // streams only
    std::vector<CompoundEntry> children;     // storages only

    // The direct child stream of that name, letter case ignored; nullptr if there is none.
    CompoundEntry* findStream(std::string_view wanted);
};

// Reads the whole file; `path` names it in errors: 3343 when it is no compound file, 3049 when
// a stream of it cannot be read.
CompoundEntry readCompoundFile(std::span<const std::uint8_t> bytes, const std::string& path);

// The tree as a compound file, with the bytes of `replaced` (an entry of the tree) taken from
// `replacement`. Error 3043 when writing fails.
std::vector<std::uint8_t> writeCompoundFile(const CompoundEntry& root,
                                            const CompoundEntry* replaced,
                                            std::span<const std::uint8_t> replacement);
// Hands the bytes of a stream to `put`, piece after piece, so that the stream never needs to be
// whole in memory.
using StreamPieces =
    std::function<void(const std::function<void(std::span<const std::uint8_t>)>& put)>;

// The tree written to `file` (left open), with the bytes of `replaced` from `replacement`.
void writeCompoundFile(const CompoundEntry& root, const CompoundEntry* replaced,
                       const StreamPieces& replacement, std::FILE* file);

}  // namespace glossel::xls
