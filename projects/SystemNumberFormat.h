// Reading a text as a number the way the system's number format writes numbers, as the
// Windows runtime decides whether a text is numeric. The format is the one of the locale in
// LC_ALL, else LC_NUMERIC, else LANG (an empty variable counts as unset); C, POSIX or nothing
// set give the English one (decimal point ".", group separator ",").
#pragma once

#include <optional>
#include <string>

namespace glossel::projects {

// The number that `text` spells: blanks, an optional sign ("+", "-" or the locale's), digits
// with the locale's group separators, optionally the locale's decimal separator and more
// digits, blanks. At least one digit. std::nullopt for any other text, the empty one included.
std::optional<double> numberFromText(const std::string& text);

}  // namespace glossel::projects
