// A text as one quoted CSV field (RFC 4180): in double quotes, each double quote doubled; line
// breaks and commas stay inside the quotes.
#pragma once

#include <string>

namespace glossel {

std::string csvQuoted(const std::string& text);

}  // namespace glossel
