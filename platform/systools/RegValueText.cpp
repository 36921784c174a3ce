// Reading the value forms of a ".reg" file.
#include "platform/systools/RegValueText.h"

#include <charconv>

#include "platform/systools/RegFileFormat.h"

namespace glossel::systools {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

namespace {

// 1 to maxDigits hexadecimal digits and nothing else.
std::optional<std::uint32_t> hexNumber(std::string_view digits, std::size_t maxDigits) {
    std::uint32_t number = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, 16);
    if (digits.empty() || digits.size() > maxDigits || error != std::errc() ||
        end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

std::optional<RegValue> readString(std::string_view data, std::string& problem) {
    std::size_t at = 0;
    auto text = readQuoted(data, at, problem);
    if (!text) {
        return std::nullopt;
    }
    if (!trimmed(data.substr(at)).empty()) {
        problem = "Zeichen nach dem schliessenden Anführungszeichen";
        return std::nullopt;
    }
    return RegValue{kRegSz, std::move(*text), {}};
}

std::optional<RegValue> readDword(std::string_view digits, std::string& problem) {
    const auto number = hexNumber(trimmed(digits), 8);
    if (!number) {
        problem = "dword braucht 1 bis 8 hexadezimale Ziffern";
        return std::nullopt;
    }
    RegValue value{kRegDword, {}, {}};
    for (int shift = 0; shift < 32; shift += 8) {
        value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    }
    return value;
}

// hex:01,02 or hex(7):01,02; the bytes may be empty.
std::optional<RegValue> readHex(std::string_view form, std::string& problem) {
    RegValue value{kRegBinary, {}, {}};
    form.remove_prefix(kHexPrefix.size());
    if (!form.empty() && form.front() == '(') {
        const std::size_t close = form.find(')');
        const auto type = close == std::string_view::npos ? std::nullopt
                                                          : hexNumber(form.substr(1, close - 1), 8);
        if (!type) {
            problem = "hex(…) braucht eine hexadezimale Typnummer";
            return std::nullopt;
        }
        value.type = *type;
        form.remove_prefix(close + 1);
    }
    if (form.empty() || form.front() != ':') {
        problem = "nach hex fehlt der Doppelpunkt";
        return std::nullopt;
    }
    form.remove_prefix(1);
    if (trimmed(form).empty()) {
        return value;
    }
    for (std::size_t start = 0;;) {
        const std::size_t comma = form.find(',', start);
        const std::string_view item = trimmed(form.substr(start, comma - start));
        const bool lastItem = comma == std::string_view::npos;
        if (!(lastItem && item.empty() && !value.data.empty())) {
            const auto byte = hexNumber(item, 2);
            if (!byte) {
                problem = "'" + std::string(item) + "' ist kein Byte in hexadezimaler Schreibweise";
                return std::nullopt;
            }
            value.data.push_back(static_cast<std::uint8_t>(*byte));
        }
        if (lastItem) {
            return value;
        }
        start = comma + 1;
    }
}

}  // namespace

std::optional<std::string> readQuoted(std::string_view text, std::size_t& at,
                                      std::string& problem) {
    std::string out;
    for (++at; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"') {
            ++at;
            return out;
        }
        if (c == '\\') {
            if (at + 1 >= text.size() || (text[at + 1] != '\\' && text[at + 1] != '"')) {
                problem =
                    "nach \\ ist nur \\ oder \" erlaubt (ein Backslash wird \\\\ geschrieben)";
                return std::nullopt;
            }
            ++at;
        }
        out += text[at];
    }
    problem = "das schliessende Anführungszeichen fehlt";
    return std::nullopt;
}

std::optional<RegValue> readValueData(std::string_view data, std::string& problem) {
    data = trimmed(data);
    if (data.starts_with('"')) {
        return readString(data, problem);
    }
    if (data.starts_with(kDwordPrefix)) {
        return readDword(data.substr(kDwordPrefix.size()), problem);
    }
    if (data.starts_with(kHexPrefix)) {
        return readHex(data, problem);
    }
    problem = "unbekannte Wertangabe (erwartet: \"Text\", dword:, hex: oder -)";
    return std::nullopt;
}

}  // namespace glossel::systools
