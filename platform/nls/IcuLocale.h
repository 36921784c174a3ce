// ICU's locale ids for Windows LCIDs, and the parts of an id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <unicode/uloc.h>

namespace glossel::nls {

// ICU's id of the LCID ("de_DE", "zh_Hant_TW"); nullopt for an LCID ICU does not know, and for
// 0 and the "default locale" LCIDs, which ICU answers with its root locale.
std::optional<std::string> icuLocaleOfLcid(std::int32_t lcid);

// One part of an id, such as uloc_getLanguage or uloc_getCountry; empty where it has none.
std::string localePart(const std::string& id,
                       int32_t (*part)(const char*, char*, int32_t, UErrorCode*));

// The id with the likely script and region added ("ru" → "ru_Cyrl_RU"); as it is where ICU
// adds nothing.
std::string withLikelySubtags(const std::string& id);

}  // namespace glossel::nls
