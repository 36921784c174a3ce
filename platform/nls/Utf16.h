// Conversion between the UTF-8 text the program works with and the UTF-16 that ICU and the
// Windows wide-character calls use.
#pragma once

#include <string>
#include <string_view>

namespace glossel::nls {

// Malformed UTF-8 becomes U+FFFD.
std::u16string toUtf16(std::string_view utf8);
// The same into `out`, reusing its storage: for converting many texts in a row.
void toUtf16(std::string_view utf8, std::u16string& out);

// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::u16string_view utf16);

}  // namespace glossel::nls
