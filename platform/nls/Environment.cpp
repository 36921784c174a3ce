// The user-interface language and the machine code page from the environment variables.
#include "platform/nls/Environment.h"

#include <unicode/uloc.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "platform/Error.h"
#include "platform/nls/CodePageConverters.h"
#include "platform/nls/DefaultAnsiCodePage.h"
#include "platform/nls/PosixLocale.h"

namespace glossel::nls {

namespace {

constexpr int kWesternCodePage = 1252;
constexpr const char* kCodePageVariable = "TESSVIA_ACP";

// The value of the first of the variables that is set and not empty.
std::optional<std::string_view> firstSetVariable(std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return std::nullopt;
}

int codePageFromVariable(std::string_view value) {
    int codePage = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), codePage);
    if (error != std::errc() || end != value.data() + value.size() ||
        !isSupportedCodePage(codePage)) {
        throw Error(err::kInvalidArgument,
                    std::string("Die Umgebungsvariable ") + kCodePageVariable +
                        " hat den ungültigen Wert \"" + std::string(value) +
                        "\"; erwartet wird die Nummer einer ANSI-Codepage wie 1252.");
    }
    return codePage;
}

// The Windows LCID of an ICU locale id, 0 if there is none. For a language written in several
// scripts the likely script decides: glibc's sr_RS is Cyrillic, its uz_UZ Latin.
std::int32_t lcidOfLocale(const std::string& id) {
    char likely[ULOC_FULLNAME_CAPACITY];
    UErrorCode status = U_ZERO_ERROR;
    uloc_addLikelySubtags(id.c_str(), likely, sizeof likely, &status);
    if (U_SUCCESS(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        const std::uint32_t withScript = uloc_getLCID(likely);
        const bool namesSublanguage = (withScript & 0xFC00) != 0;
        if (namesSublanguage) {
            return static_cast<std::int32_t>(withScript);
        }
    }
    return static_cast<std::int32_t>(uloc_getLCID(id.c_str()));
}

int codePageOfLocale(std::string_view posixLocale) {
    const auto locale = icuLocaleFromPosix(posixLocale);
    if (!locale) {
        return kWesternCodePage;
    }
    const auto codePage = defaultAnsiCodePage(lcidOfLocale(*locale));
    if (!codePage || *codePage == 0) {
        return kWesternCodePage;
    }
    return *codePage;
}

}  // namespace

std::string uiLanguage() {
    auto value = firstSetVariable({"LC_ALL", "LC_MESSAGES", "LANG"});
    if (!value) {
        return "en";
    }
    return icuLocaleFromPosix(*value).value_or("en");
}

int machineAnsiCodePage() {
    if (auto value = firstSetVariable({kCodePageVariable})) {
        return codePageFromVariable(*value);
    }
    const auto value = firstSetVariable({"LC_ALL", "LC_CTYPE", "LANG"});
    if (!value) {
        return kWesternCodePage;
    }
    // ICU's locale lookups cost microseconds and the code page is asked for once per text: the
    // answer for the last locale value is kept per thread.
    thread_local std::string lastValue;
    thread_local int lastCodePage = 0;
    if (lastCodePage == 0 || *value != lastValue) {
        lastCodePage = codePageOfLocale(*value);
        lastValue = *value;
    }
    return lastCodePage;
}

}  // namespace glossel::nls
