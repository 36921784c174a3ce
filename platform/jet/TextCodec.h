// Text as Jet stores it: Jet 4 UTF-16LE, optionally compressed (marker FF FE, then one byte per
// character, a 00 byte switching between one- and two-byte runs); Jet 3 bytes in the database's
// code page. Decoded to UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/jet/JetFormat.h"

namespace glossel::jet {

std::string decodeJetText(std::span<const std::uint8_t> stored, const JetFormat& format,
                          std::uint16_t codePage);

// Jet 4 text: compressed when the column allows it and the text has 3 to 1024 characters, all
// in U+0001..U+00FF; UTF-16LE otherwise.
std::vector<std::uint8_t> encodeJet4Text(const std::u16string& text, bool compressible);

}  // namespace glossel::jet
