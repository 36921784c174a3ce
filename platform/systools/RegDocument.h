// A ".reg" file as it was read: its lines, and the key sections with their values in file
// order. Reading builds the registry from it (RegistryTree); removing a key cuts its sections'
// lines out of the file and leaves every other line as it was (RegKeyRemoval).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/systools/RegLines.h"

namespace glossel::systools {

struct RegValue {
    std::uint32_t type = 0;          // kRegSz, kRegDword, … (RegFileFormat.h)
    std::string text;                // a string value written as "…": its text
    std::vector<std::uint8_t> data;  // every other form: the bytes the registry holds
                                     // (dword: four bytes, little-endian)
};

struct RegValueEntry {
    std::string name;               // "" for the default value (@)
    std::optional<RegValue> value;  // std::nullopt: "Name"=- removes the value
};

struct RegSection {
    std::vector<std::string> path;  // hive name (as in kHiveNames), then the key names as written
    bool removesKey = false;        // [-…]
    std::vector<RegValueEntry> values;
    // Lines [firstLine, endLine) go when the key is removed: the key line, its values and
    // whatever lies between them, and the blank lines after the last value. Comments after the
    // last value stay: they may introduce the next key.
    std::size_t firstLine = 0;
    std::size_t endLine = 0;
};

struct RegDocument {
    RegText text;
    std::vector<RegSection> sections;
};

// Throws glossel::Error kRegistryCorrupt naming `source` and the line for a malformed file.
RegDocument parseRegDocument(std::span<const std::uint8_t> bytes, const std::string& source);

}  // namespace glossel::systools
