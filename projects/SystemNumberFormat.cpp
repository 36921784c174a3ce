// Numeric texts under the locale's separators and signs, which ICU gives for every locale.
#include "projects/SystemNumberFormat.h"

#include <unicode/dcfmtsym.h>
#include <unicode/unistr.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string_view>

#include "platform/nls/PosixLocale.h"

namespace glossel::projects {
namespace {

struct NumberSymbols {
    std::string decimal;
    std::string group;
    std::string plus;
    std::string minus;
};

std::string numericLocale() {
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return nls::icuLocaleFromPosix(value).value_or("en");
        }
    }
    return "en";
}

std::string symbol(const icu::DecimalFormatSymbols& symbols,
                   icu::DecimalFormatSymbols::ENumberFormatSymbol which) {
    std::string text;
    symbols.getConstSymbol(which).toUTF8String(text);
    return text;
}

const NumberSymbols& numberSymbols(const std::string& locale) {
    thread_local std::map<std::string, NumberSymbols> cache;
    const auto known = cache.find(locale);
    if (known != cache.end()) {
        return known->second;
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::DecimalFormatSymbols symbols(icu::Locale(locale.c_str()), status);
    if (U_FAILURE(status)) {
        symbols = icu::DecimalFormatSymbols(icu::Locale::getEnglish(), status = U_ZERO_ERROR);
    }
    using Symbol = icu::DecimalFormatSymbols;
    return cache[locale] = NumberSymbols{symbol(symbols, Symbol::kDecimalSeparatorSymbol),
                                         symbol(symbols, Symbol::kGroupingSeparatorSymbol),
                                         symbol(symbols, Symbol::kPlusSignSymbol),
                                         symbol(symbols, Symbol::kMinusSignSymbol)};
}

bool take(std::string_view& text, std::string_view prefix) {
    if (prefix.empty() || !text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

void skipBlanks(std::string_view& text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
}

bool takeDigit(std::string_view& text, std::string& digits) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return false;
    }
    digits += text.front();
    text.remove_prefix(1);
    return true;
}

double tooLargeOrSmall(const std::string& plain) {
    const std::size_t whole = plain.find_first_of("123456789");
    const bool large = whole != std::string::npos && whole < plain.find('.');
    const double magnitude = large ? HUGE_VAL : 0.0;
    return plain.front() == '-' ? -magnitude : magnitude;
}

}  // namespace

std::optional<double> numberFromText(const std::string& input) {
    const NumberSymbols& symbols = numberSymbols(numericLocale());
    std::string_view text(input);
    std::string plain;  // sign, digits, "." and digits: what from_chars reads
    skipBlanks(text);
    if (take(text, "-") || take(text, symbols.minus)) {
        plain += '-';
    } else if (!take(text, "+")) {
        take(text, symbols.plus);
    }
    bool anyDigit = false;
    for (;;) {
        if (takeDigit(text, plain)) {
            anyDigit = true;
        } else if (!anyDigit || !take(text, symbols.group)) {
            break;
        }
    }
    if (take(text, symbols.decimal)) {
        plain += '.';
        while (takeDigit(text, plain)) {
            anyDigit = true;
        }
    }
    skipBlanks(text);
    if (!anyDigit || !text.empty()) {
        return std::nullopt;
    }
    double number = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), number);
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: either way no small whole number.
        return tooLargeOrSmall(plain);
    }
    return number;
}

}  // namespace glossel::projects
