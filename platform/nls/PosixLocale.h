// POSIX locale names as the environment holds them ("de_DE.UTF-8", "sr_RS@latin"), read as
// ICU locale ids without asking the C library, so no locale needs to be installed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glossel::nls {

// "de_DE.UTF-8" → "de_DE", "ru_RU@euro" → "ru_RU", "sr_RS@latin" → "sr_Latn_RS", "de" → "de".
// The code set does not matter; of the modifiers only the script ones (@latin, @cyrillic,
// @devanagari) do. std::nullopt for "C" and "POSIX" (with any code set) and for anything that
// is not language[_territory][.codeset][@modifier].
std::optional<std::string> icuLocaleFromPosix(std::string_view name);

}  // namespace glossel::nls
