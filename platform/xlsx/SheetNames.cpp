// Parsing cell references and row numbers.
#include "platform/xlsx/SheetNames.h"

#include <charconv>

#include "platform/xlsx/OoxmlFormat.h"

namespace glossel::xlsx {

std::optional<std::uint32_t> parseNumberUpTo(std::string_view text, std::uint32_t limit) {
    std::uint64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 1 ||
        number > limit || text.empty() || text.front() == '+') {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(number);
}

std::optional<CellPlace> parseCellReference(std::string_view reference) {
    std::uint32_t column = 0;
    std::size_t at = 0;
    for (; at < reference.size() && at < 4; ++at) {
        const char c = reference[at];
        if (c >= 'A' && c <= 'Z') {
            column = column * 26 + static_cast<std::uint32_t>(c - 'A' + 1);
        } else if (c >= 'a' && c <= 'z') {
            column = column * 26 + static_cast<std::uint32_t>(c - 'a' + 1);
        } else {
            break;
        }
    }
    if (at == 0 || column > kMaxColumns) {
        return std::nullopt;
    }
    const auto row = parseNumberUpTo(reference.substr(at), kMaxRows);
    if (!row) {
        return std::nullopt;
    }
    return CellPlace{*row - 1, column - 1};
}

}  // namespace glossel::xlsx
