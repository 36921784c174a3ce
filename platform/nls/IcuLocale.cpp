// ICU's LCID map and locale ids.
#include "platform/nls/IcuLocale.h"

namespace glossel::nls {

std::optional<std::string> icuLocaleOfLcid(std::int32_t lcid) {
    char id[ULOC_FULLNAME_CAPACITY];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        uloc_getLocaleForLCID(static_cast<std::uint32_t>(lcid), id, sizeof id, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || length == 0) {
        return std::nullopt;
    }
    std::string locale(id, static_cast<std::size_t>(length));
    if (locale == "root") {
        return std::nullopt;
    }
    return locale;
}

std::string localePart(const std::string& id,
                       int32_t (*part)(const char*, char*, int32_t, UErrorCode*)) {
    char buffer[ULOC_FULLNAME_CAPACITY];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = part(id.c_str(), buffer, sizeof buffer, &status);
    return U_SUCCESS(status) ? std::string(buffer, static_cast<std::size_t>(length)) : "";
}

std::string withLikelySubtags(const std::string& id) {
    char likely[ULOC_FULLNAME_CAPACITY];
    UErrorCode status = U_ZERO_ERROR;
    uloc_addLikelySubtags(id.c_str(), likely, sizeof likely, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING) {
        return id;
    }
    return likely;
}

}  // namespace glossel::nls
