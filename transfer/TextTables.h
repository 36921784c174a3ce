// Names the language transfer shares: the tables and links, and the language columns; the
// exchange file kinds are in ExchangeKinds.h.
#pragma once

#include <cstdint>
#include <string>

namespace glossel::transfer {

inline constexpr char kProjectTextTable[] = "TidxTexts";
inline constexpr char kExchangeTable[] = "TidxTexts";
inline constexpr char kExchangeWorksheet[] = "TidxTexts$";
inline constexpr char kLinkedTable[] = "TidxTemp";

// A language column is "L" followed by the LCID in decimal (capital L only).
inline constexpr char kLanguageColumnPrefix = 'L';

inline std::string languageColumnName(std::int32_t lcid) {
    return kLanguageColumnPrefix + std::to_string(lcid);
}

}  // namespace glossel::transfer
