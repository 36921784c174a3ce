// The import window's language list: the languages of an exchange file, marked where the
// project has no column for them yet.
#pragma once

#include <string>

#include "transfer/ListBox.h"

namespace glossel::transfer {

inline constexpr char kNewLanguageMark[] = " (neu)";

// Fills `list` with one entry per language column of the exchange file, named as in the export's
// list (languageListEntry), followed by " (neu)" when the project lacks the language, with the
// LCID as item data. With an empty `projectPath` (no project chosen yet) nothing is marked. The
// list is cleared first; errors pass to the caller.
void FillImportLanguageList(const std::string& projectPath, const std::string& exchangePath,
                            ListBox& list);

}  // namespace glossel::transfer
