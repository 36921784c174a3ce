// The language transfer: reading a project's languages into the language list.
#pragma once

#include <string>

#include "transfer/ListBox.h"
#include "transfer/MessageBoxes.h"

namespace glossel::transfer {

// Fills `list` with one entry per language column of the project's TidxTexts: the system's name
// of the language, " [", the LCID and "]", with the LCID as item data. The list is cleared first.
// Errors pass to the caller (file, missing table, a column "L" without a number, an LCID the
// system does not know); the list then keeps the entries added before.
void FillLanguageList(const std::string& projectPath, ListBox& list);

// A language's entry in the language lists: the system's name, " [", the LCID and "]". Error 5,
// naming `column`, for an LCID the system does not know.
std::string languageListEntry(std::int32_t lcid, const std::string& column);

// Exports the project's texts with the selected languages (in list order) into targetPath, an
// exchange workbook (.xls, .xlsx) or database (.mdb) made from the template beside the program,
// or an XLIFF document (.xlf) with `sourceLcid` as its source language (one of the selected; 0
// for the other kinds). The file replaces the target only when every step succeeded. On a
// failure it shows "Fehler beim Exportieren einer Sprache!" and, on one line each, "number:
// description" of the failure (of every language whose repair failed), and returns false; the
// target then stays as it was.
bool ExportSelectedLanguages(const std::string& projectPath, const ListBox& list,
                             const std::string& targetPath, MessageBoxes& messages,
                             std::int32_t sourceLcid = 0);

// Re-decodes the exported column "L" + lcid of targetPath in the language's ANSI code page.
// Silent for a language without ANSI code page and for a table without rows; every other
// failure is raised.
void RepairLanguageColumn(const std::string& targetPath, std::int32_t lcid);

}  // namespace glossel::transfer
