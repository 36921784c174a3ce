// Tables for the single-byte Windows code pages (874, 1250 … 1258), built once per thread from
// the ICU converter: converting tens of thousands of texts goes without a converter call each.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace glossel::nls {

struct SingleByteCodePage {
    // The UTF-16 unit ICU decodes each byte to, U+FFFD or U+001A for bytes without character.
    std::array<char16_t, 256> toUnicode{};
    // What ICU encodes each BMP code point to: a byte, "?" for characters the page lacks, or
    // kNoByte for the ignorable ones it drops (soft hyphen, joiners …). The surrogate range is
    // left out of use.
    static constexpr std::int16_t kNoByte = -1;
    std::vector<std::int16_t> fromUnicode;
};

// The table of codePage, or nullptr for multi-byte pages, UTF-8 and unsupported code pages.
const SingleByteCodePage* singleByteCodePage(int codePage);

}  // namespace glossel::nls
