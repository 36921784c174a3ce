// Case-insensitive name comparison by Unicode case folding; names of ASCII letters, digits and
// signs, the usual case, are compared without converting them.
#include "platform/NameCompare.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>

#include "platform/nls/Utf8Text.h"

namespace glossel {
namespace {

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool sameName(const std::string& a, const std::string& b) {
    if (nls::isAscii(a) && nls::isAscii(b)) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(),
                          [](char x, char y) { return asciiLower(x) == asciiLower(y); });
    }
    return icu::UnicodeString::fromUTF8(a).caseCompare(icu::UnicodeString::fromUTF8(b),
                                                       U_FOLD_CASE_DEFAULT) == 0;
}

}  // namespace glossel
