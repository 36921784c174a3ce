// Removing a key from a ".reg" file by cutting out the lines of its sections and of the
// sections below it. Every other line keeps its bytes; the key's parent stays.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/systools/RegDocument.h"

namespace glossel::systools {

// The file's bytes without the key `path` (hive name, then at least one key name) and
// everything below it; std::nullopt when the registry the file describes has no such key.
// `document` is the parsed form of `bytes`.
std::optional<std::vector<std::uint8_t>> bytesWithoutKey(std::span<const std::uint8_t> bytes,
                                                         const RegDocument& document,
                                                         const std::vector<std::string>& path);

}  // namespace glossel::systools
