// Names the language transfer shares: the tables and links, the exchange file kinds, and the
// language columns.
#pragma once

#include <cstdint>
#include <string>

namespace glossel::transfer {

inline constexpr char kProjectTextTable[] = "TidxTexts";
inline constexpr char kExchangeTable[] = "TidxTexts";
inline constexpr char kExchangeWorksheet[] = "TidxTexts$";
inline constexpr char kLinkedTable[] = "TidxTemp";

// The extensions that select the kind of exchange file, compared with exact letter case.
inline constexpr char kDatabaseExtension[] = "mdb";
inline constexpr char kWorkbookExtension[] = "xls";

// A language column is "L" followed by the LCID in decimal (capital L only).
inline constexpr char kLanguageColumnPrefix = 'L';

inline std::string languageColumnName(std::int32_t lcid) {
    return kLanguageColumnPrefix + std::to_string(lcid);
}

}  // namespace glossel::transfer
