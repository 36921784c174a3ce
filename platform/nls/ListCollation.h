// The order of a sorted Windows list box: its entries compared without regard to case, by the
// collation of the user-interface language.
#pragma once

#include <string>

namespace glossel::nls {

// < 0 if a sorts before b, 0 if they sort alike, > 0 if after. Accents count, case does not.
int compareListTexts(const std::string& a, const std::string& b);

}  // namespace glossel::nls
