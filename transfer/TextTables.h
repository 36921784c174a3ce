// Names the language transfer shares: the project's text table and its language columns.
#pragma once

#include <cstdint>
#include <string>

namespace glossel::transfer {

inline constexpr char kProjectTextTable[] = "TidxTexts";

// A language column is "L" followed by the LCID in decimal (capital L only).
inline constexpr char kLanguageColumnPrefix = 'L';

inline std::string languageColumnName(std::int32_t lcid) {
    return kLanguageColumnPrefix + std::to_string(lcid);
}

}  // namespace glossel::transfer
