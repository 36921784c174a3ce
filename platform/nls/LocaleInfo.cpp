// Locale names from ICU's LCID map and display names, code pages from our own table.
#include "platform/nls/LocaleInfo.h"

#include <unicode/locdspnm.h>
#include <unicode/uloc.h>
#include <unicode/unistr.h>

#include <memory>
#include <optional>
#include <string_view>

#include "platform/nls/AnsiText.h"
#include "platform/nls/DefaultAnsiCodePage.h"
#include "platform/nls/Environment.h"
#include "platform/nls/IcuLocale.h"

namespace glossel::nls {

namespace {

// Windows names the script of every Chinese and Mongolian locale ("Chinese (Simplified, China)",
// "Mongolian (Cyrillic, Mongolia)"); ICU's ids for 2052 and 1104 carry none, so add the likely one.
std::string withNamedScript(const std::string& id) {
    const std::string language = localePart(id, uloc_getLanguage);
    if ((language != "zh" && language != "mn") || !localePart(id, uloc_getScript).empty() ||
        localePart(id, uloc_getCountry).empty()) {
        return id;
    }
    return withLikelySubtags(id);
}

// LocaleDisplayNames rather than uloc_getDisplayName: for the LCIDs with a sort order it says
// "Spanish (Spain, Traditional Sort Order)", not "… Sort Order=Traditional Sort Order".
std::optional<std::string> languageName(const std::string& id, const std::string& uiLocale) {
    std::unique_ptr<icu::LocaleDisplayNames> names(icu::LocaleDisplayNames::createInstance(
        icu::Locale(uiLocale.c_str()), ULDN_STANDARD_NAMES));
    if (!names) {
        return std::nullopt;
    }
    icu::UnicodeString name;
    names->localeDisplayName(id.c_str(), name);
    std::string utf8;
    name.toUTF8String(utf8);
    return utf8;
}

std::string throughMachineCodePage(const std::string& text) {
    return decodeAnsi(kCpAcp, encodeAnsi(kCpAcp, text));
}

std::optional<std::string> localeValue(std::int32_t lcid, const std::string& locale,
                                       std::uint32_t lcType) {
    switch (lcType) {
        case kLocaleSLanguageCpAcp: {
            auto name = languageName(withNamedScript(locale), uiLanguage());
            return name ? std::optional(throughMachineCodePage(*name)) : std::nullopt;
        }
        case kLocaleIDefaultAnsiCodePage: {
            auto codePage = defaultAnsiCodePage(lcid);
            return codePage ? std::optional(std::to_string(*codePage)) : std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace

int GetLocaleInfoA(std::int32_t lcid, std::uint32_t lcType, std::string& buffer, int bufferLength) {
    if (bufferLength < 0) {
        return 0;
    }
    auto locale = icuLocaleOfLcid(lcid);
    if (!locale) {
        return 0;
    }
    auto value = localeValue(lcid, *locale, lcType);
    if (!value) {
        return 0;
    }
    const int length = icu::UnicodeString::fromUTF8(*value).countChar32() + 1;
    if (bufferLength == 0) {
        return length;
    }
    if (length > bufferLength) {
        return 0;
    }
    buffer = *value;
    return length;
}

}  // namespace glossel::nls
