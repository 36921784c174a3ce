// The default ANSI code page of a Windows locale (LOCALE_IDEFAULTANSICODEPAGE).
#pragma once

#include <cstdint>
#include <optional>

namespace glossel::nls {

// The code page Windows gives a locale for programs that do not use Unicode: 1252, 1251, 932 …,
// or 0 for a locale that only works with Unicode (Hindi, Georgian …). The sort bits of the LCID
// do not matter; a language id the table does not list falls back to its primary language.
// std::nullopt for a primary language Windows does not know.
std::optional<int> defaultAnsiCodePage(std::int32_t lcid);

}  // namespace glossel::nls
