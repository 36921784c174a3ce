// List-box order with an ICU collator per user-interface language, kept per thread.
#include "platform/nls/ListCollation.h"

#include <unicode/coll.h>
#include <unicode/stringpiece.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <map>
#include <memory>

#include "platform/Error.h"
#include "platform/nls/Environment.h"

namespace glossel::nls {

namespace {

std::unique_ptr<icu::Collator> openListCollator(const std::string& locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(
        icu::Collator::createInstance(icu::Locale(locale.c_str()), status));
    if (U_SUCCESS(status)) {
        // Secondary strength: base letters and accents decide, case does not.
        collator->setStrength(icu::Collator::SECONDARY);
    }
    if (U_FAILURE(status)) {
        throw Error(err::kInvalidArgument, "Die Sortierung für die Sprache " + locale +
                                               " lässt sich nicht laden: " + u_errorName(status));
    }
    return collator;
}

icu::Collator& listCollator(const std::string& locale) {
    thread_local std::map<std::string, std::unique_ptr<icu::Collator>> collators;
    auto& collator = collators[locale];
    if (!collator) {
        collator = openListCollator(locale);
    }
    return *collator;
}

}  // namespace

int compareListTexts(const std::string& a, const std::string& b) {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult result =
        listCollator(uiLanguage()).compareUTF8(icu::StringPiece(a), icu::StringPiece(b), status);
    if (U_FAILURE(status)) {
        throw Error(err::kInvalidArgument,
                    std::string("Texte lassen sich nicht vergleichen: ") + u_errorName(status));
    }
    return static_cast<int>(result);
}

std::string listSortKey(const std::string& text) {
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    icu::Collator& collator = listCollator(uiLanguage());
    std::string key(static_cast<std::size_t>(unicode.length()) * 2 + 8, '\0');
    for (;;) {
        const std::int32_t needed =
            collator.getSortKey(unicode, reinterpret_cast<std::uint8_t*>(key.data()),
                                static_cast<std::int32_t>(key.size()));
        // The length given includes the key's closing zero byte, which the order needs not.
        if (needed <= static_cast<std::int32_t>(key.size())) {
            key.resize(needed > 0 ? static_cast<std::size_t>(needed) - 1 : 0);
            return key;
        }
        key.resize(static_cast<std::size_t>(needed));
    }
}

std::string foldedCase(const std::string& text) {
    std::string folded;
    icu::UnicodeString::fromUTF8(text).foldCase().toUTF8String(folded);
    return folded;
}

}  // namespace glossel::nls
