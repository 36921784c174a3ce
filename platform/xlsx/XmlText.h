// Texts in spreadsheet XML. Characters XML 1.0 cannot carry, and CR (which XML turns into LF),
// are written as _xHHHH_ (the UTF-16 unit in hexadecimal); a text that holds such a pattern
// literally has its underscore written as _x005F_, so that it reads back as it was.
#pragma once

#include <string>
#include <string_view>

namespace glossel::xlsx {

// `text` (UTF-8) as element content.
void appendEscapedText(std::string& out, std::string_view text);
// Element content as parsed, with its _xHHHH_ patterns (either letter case) decoded.
std::string decodeEscapes(std::string_view text);

}  // namespace glossel::xlsx
