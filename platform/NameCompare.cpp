// Case-insensitive name comparison by Unicode case folding.
#include "platform/NameCompare.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace glossel {

bool sameName(const std::string& a, const std::string& b) {
    return icu::UnicodeString::fromUTF8(a).caseCompare(icu::UnicodeString::fromUTF8(b),
                                                       U_FOLD_CASE_DEFAULT) == 0;
}

}  // namespace glossel
