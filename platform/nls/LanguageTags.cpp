// Tags through ICU: its LCID map, its BCP 47 conversion and its likely subtags.
#include "platform/nls/LanguageTags.h"

#include <vector>

#include "platform/nls/IcuLocale.h"

namespace glossel::nls {
namespace {

// The LCID of an ICU id when it stands for a locale with a region: ICU answers an id it has no
// LCID for with the neutral LCID of its language ("ru_Cyrl_RU" → 25), which no column uses.
std::optional<std::int32_t> regionalLcidOf(const std::string& id) {
    const auto lcid = static_cast<std::int32_t>(uloc_getLCID(id.c_str()));
    if (lcid == 0) {
        return std::nullopt;
    }
    const std::optional<std::string> locale = icuLocaleOfLcid(lcid);
    if (!locale || localePart(*locale, uloc_getCountry).empty()) {
        return std::nullopt;
    }
    return lcid;
}

}  // namespace

std::optional<std::string> languageTagOfLcid(std::int32_t lcid) {
    const std::optional<std::string> locale = icuLocaleOfLcid(lcid);
    if (!locale) {
        return std::nullopt;
    }
    char tag[ULOC_FULLNAME_CAPACITY];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_toLanguageTag(locale->c_str(), tag, sizeof tag, true, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || length == 0) {
        return std::nullopt;
    }
    return std::string(tag, static_cast<std::size_t>(length));
}

std::optional<std::int32_t> lcidOfLanguageTag(std::string_view tag) {
    if (tag.empty() || tag.size() >= ULOC_FULLNAME_CAPACITY) {
        return std::nullopt;
    }
    const std::string text(tag);
    char id[ULOC_FULLNAME_CAPACITY];
    int32_t parsed = 0;
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_forLanguageTag(text.c_str(), id, sizeof id, &parsed, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING || length == 0 ||
        static_cast<std::size_t>(parsed) != text.size()) {
        return std::nullopt;
    }
    const std::string locale(id, static_cast<std::size_t>(length));
    const std::string language = localePart(locale, uloc_getLanguage);
    if (language.empty()) {
        return std::nullopt;
    }
    std::vector<std::string> candidates{locale};
    if (localePart(locale, uloc_getCountry).empty()) {
        const std::string likely = withLikelySubtags(locale);
        const std::string country = localePart(likely, uloc_getCountry);
        if (!country.empty()) {
            candidates.push_back(likely);
            candidates.push_back(language + "_" + country);
        }
    }
    for (const std::string& candidate : candidates) {
        if (const auto lcid = regionalLcidOf(candidate)) {
            return lcid;
        }
    }
    return std::nullopt;
}

}  // namespace glossel::nls
