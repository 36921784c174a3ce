// The machine's language settings, taken from the environment where Windows keeps them in the
// registry: the user-interface language and the machine's ANSI code page. The variables are read
// on every call, so that a change takes effect at once.
#pragma once

#include <string>

namespace glossel::nls {

// ICU locale id of the user-interface language ("de_DE") from LC_ALL, else LC_MESSAGES, else
// LANG (an empty variable counts as unset); "en" for C, POSIX, nothing set or an unreadable value.
std::string uiLanguage();

// The machine's ANSI code page (GetACP): TESSVIA_ACP when set (a decimal code page number; any
// other value throws glossel::Error 5), else the default ANSI code page of the locale in LC_ALL,
// else LC_CTYPE, else LANG. 1252 for C, POSIX, nothing set, and for locales that are unknown or
// Unicode-only: Windows cannot run with those as system locale.
int machineAnsiCodePage();

}  // namespace glossel::nls
