// The order of a sorted Windows list box: its entries compared without regard to case, by the
// collation of the user-interface language.
#pragma once

#include <string>

namespace glossel::nls {

// < 0 if a sorts before b, 0 if they sort alike, > 0 if after. Accents count, case does not.
int compareListTexts(const std::string& a, const std::string& b);

// A key whose byte order is the order above: for sorting many texts, each turned into its key
// once.
std::string listSortKey(const std::string& text);

// The text with case folded away, for searches that do not regard case ("Straße" and "STRASSE"
// fold alike).
std::string foldedCase(const std::string& text);

}  // namespace glossel::nls
