// Writing texts into XML: what element content and attribute values escape, and which
// characters XML 1.0 cannot carry at all (no escape makes them legal).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace glossel::xml {

// The character of UTF-8 `text` at byte `at` when XML 1.0 cannot carry it: a C0 control but tab,
// LF and CR, or U+FFFE, U+FFFF. nullopt for any other.
std::optional<char32_t> uncarriableAt(std::string_view text, std::size_t at);

// The byte offset of the first character XML 1.0 cannot carry; npos when there is none.
std::size_t findUncarriable(std::string_view text);

// `text` as element content: markup escaped, CR as a character reference so that it survives
// the parser's line-break normalisation. `text` must hold no character XML cannot carry.
void appendEscapedContent(std::string& out, std::string_view text);

// `value` as an attribute value between double quotes.
void appendEscapedAttribute(std::string& out, std::string_view value);

// Whether the text begins or ends with white space, which its element keeps only with
// xml:space="preserve".
bool needsPreservedSpace(std::string_view text);

}  // namespace glossel::xml
