// Errors for workbook packages that cannot be read: each names the file as given and, where
// known, the part and the line in it.
#pragma once

#include <cstdint>
#include <string_view>

namespace glossel::xlsx {

// Where in a package something was found.
struct PartPlace {
    std::string_view path;  // the file, as the caller gave it
    std::string_view part;  // the part's name in the zip; empty for the package itself
    std::uint64_t line = 0;  // 0 where no line is known
};

// The package or one of its parts is damaged or breaks a limit: error 3049.
[[noreturn]] void throwDamaged(const PartPlace& place, std::string_view what);

// The file is no Office Open XML workbook: error 3343.
[[noreturn]] void throwUnrecognised(std::string_view path, std::string_view what);

}  // namespace glossel::xlsx
