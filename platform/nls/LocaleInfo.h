// GetLocaleInfoA for what the program asks of a Windows locale: its language name and its
// default ANSI code page.
#pragma once

#include <cstdint>
#include <string>

namespace glossel::nls {

// LOCALE_SLANGUAGE | LOCALE_USE_CP_ACP: the full language name in the user-interface language
// ("Deutsch (Deutschland)", "German (Germany)"), in the machine's ANSI code page.
inline constexpr std::uint32_t kLocaleSLanguageCpAcp = 0x40000002;
// LOCALE_IDEFAULTANSICODEPAGE: the locale's default ANSI code page as decimal text ("1251"; "0"
// for a locale that only works with Unicode).
inline constexpr std::uint32_t kLocaleIDefaultAnsiCodePage = 0x1004;

// As on Windows: puts the value into buffer (as UTF-8, without NUL) and returns its length in
// characters including the terminating NUL; with bufferLength 0 it only returns that length.
// Returns 0 for an LCID ICU does not know, an lcType other than the two above, or a value
// longer than bufferLength - 1. Like every A function, the name passes through the machine's
// ANSI code page: characters the code page cannot hold come back as "?".
int GetLocaleInfoA(std::int32_t lcid, std::uint32_t lcType, std::string& buffer, int bufferLength);

}  // namespace glossel::nls
