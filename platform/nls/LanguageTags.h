// BCP 47 language tags for Windows LCIDs and back, as XLIFF names its languages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glossel::nls {

// The tag of the LCID: 1031 → "de-DE", 2052 → "zh-CN", 1028 → "zh-Hant-TW"; nullopt for an LCID
// the system does not know.
std::optional<std::string> languageTagOfLcid(std::int32_t lcid);

// The LCID a tag stands for, in any letter case: "de-DE" → 1031; a tag without region stands for
// its language's likely region ("ru" → 1049, "zh" → 2052, "sr" → 10266). Always a locale with a
// region, never a neutral LCID. nullopt for a tag that is no well-formed BCP 47 tag, has no
// language ("und", private use), or names a locale no LCID stands for ("de-US").
std::optional<std::int32_t> lcidOfLanguageTag(std::string_view tag);

}  // namespace glossel::nls
