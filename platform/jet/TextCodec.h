// Text as Jet stores it: Jet 4 UTF-16LE, optionally compressed (marker FF FE, then one byte per
// character, a 00 byte switching between one- and two-byte runs); Jet 3 bytes in the database's
// code page. Decoded to UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/jet/JetFormat.h"

namespace glossel::jet {

std::string decodeJetText(std::span<const std::uint8_t> stored, const JetFormat& format,
                          std::uint16_t codePage);

// Jet 4 text: compressed when the column allows it and the text has 3 to 1024 characters, all
// in U+0001..U+00FF; UTF-16LE otherwise.
std::vector<std::uint8_t> encodeJet4Text(const std::u16string& text, bool compressible);
// The characters of a Jet 4 text stored the way encodeJet4Text compresses it (the marker, then 3
// to 1024 one-byte characters without a run switch); nullopt for any other stored text.
std::optional<std::size_t> compressedCharacterCount(std::span<const std::uint8_t> stored);
// The compressed text encodeJet4Text makes of a compressible UTF-8 text, straight from the UTF-8;
// nullopt for a text it would not compress or malformed UTF-8.
std::optional<std::vector<std::uint8_t>> encodeCompressedJet4Text(std::string_view utf8);

}  // namespace glossel::jet
