// The data part of a ".reg" value line (after "="): a quoted text, dword:…, hex:… or hex(N):….
#pragma once

#include <string>
#include <string_view>

#include "platform/systools/RegDocument.h"

namespace glossel::systools {

// The text without blanks and tabs at either end.
std::string_view trimmed(std::string_view text);

// Reads a quoted name or text starting at text[at] == '"' and sets `at` behind the closing
// quote. Returns std::nullopt and sets `problem` for a text without end or an unknown escape.
std::optional<std::string> readQuoted(std::string_view text, std::size_t& at, std::string& problem);

// The value that `data` denotes; continuation lines of hex data are already joined onto it.
// Returns std::nullopt and sets `problem` when it is malformed.
std::optional<RegValue> readValueData(std::string_view data, std::string& problem);

}  // namespace glossel::systools
