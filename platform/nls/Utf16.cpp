// UTF-8 ⇄ UTF-16 with ICU's converters.
#include "platform/nls/Utf16.h"

#include <unicode/ustring.h>

#include "platform/Error.h"

namespace glossel::nls {

namespace {

constexpr UChar32 kReplacementCharacter = 0xFFFD;

void checkStatus(UErrorCode status) {
    if (U_FAILURE(status)) {
        throw Error(err::kInvalidArgument,
                    std::string("Unicode-Umwandlung fehlgeschlagen: ") + u_errorName(status));
    }
}

}  // namespace

std::u16string toUtf16(std::string_view utf8) {
    std::u16string utf16(utf8.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(utf16.data(), static_cast<int32_t>(utf16.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), kReplacementCharacter, nullptr,
                         &status);
    checkStatus(status);
    utf16.resize(static_cast<std::size_t>(length));
    return utf16;
}

std::string toUtf8(std::u16string_view utf16) {
    std::string utf8(utf16.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, utf16.data(),
                       static_cast<int32_t>(utf16.size()), kReplacementCharacter, nullptr, &status);
    checkStatus(status);
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

}  // namespace glossel::nls
