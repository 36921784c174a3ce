// Parsing of POSIX locale names into ICU locale ids.
#include "platform/nls/PosixLocale.h"

#include <algorithm>

namespace glossel::nls {

namespace {

// ASCII only: the names are identifiers, and the C library's locale must not matter.
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
char toLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char toUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isLanguage(std::string_view text) {
    return text.size() >= 2 && text.size() <= 3 && std::ranges::all_of(text, isLetter);
}

// "DE", or a UN M.49 area such as "419".
bool isTerritory(std::string_view text) {
    return (text.size() == 2 && std::ranges::all_of(text, isLetter)) ||
           (text.size() == 3 && std::ranges::all_of(text, isDigit));
}

std::string_view scriptOfModifier(std::string_view modifier) {
    if (modifier == "latin") {
        return "Latn";
    }
    if (modifier == "cyrillic") {
        return "Cyrl";
    }
    if (modifier == "devanagari") {
        return "Deva";
    }
    return {};
}

std::string transformed(std::string_view text, char (*convert)(char)) {
    std::string result(text);
    std::ranges::transform(result, result.begin(), convert);
    return result;
}

}  // namespace

std::optional<std::string> icuLocaleFromPosix(std::string_view name) {
    std::string_view modifier;
    if (auto at = name.find('@'); at != std::string_view::npos) {
        modifier = name.substr(at + 1);
        name = name.substr(0, at);
    }
    if (auto dot = name.find('.'); dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    std::string_view language = name;
    std::string_view territory;
    auto underscore = name.find('_');
    if (underscore != std::string_view::npos) {
        language = name.substr(0, underscore);
        territory = name.substr(underscore + 1);
        if (!isTerritory(territory)) {
            return std::nullopt;
        }
    }
    if (!isLanguage(language)) {
        return std::nullopt;
    }

    std::string id = transformed(language, toLower);
    if (auto script = scriptOfModifier(modifier); !script.empty()) {
        id += '_';
        id += script;
    }
    if (!territory.empty()) {
        id += '_';
        id += transformed(territory, toUpper);
    }
    return id;
}

}  // namespace glossel::nls
