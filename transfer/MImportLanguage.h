// The language transfer: reading a project's languages into the language list.
#pragma once

#include <string>

#include "transfer/ListBox.h"

namespace glossel::transfer {

// Fills `list` with one entry per language column of the project's TidxTexts: the system's name
// of the language, " [", the LCID and "]", with the LCID as item data. The list is cleared first.
// Errors pass to the caller (file, missing table, a column "L" without a number, an LCID the
// system does not know); the list then keeps the entries added before.
void FillLanguageList(const std::string& projectPath, ListBox& list);

}  // namespace glossel::transfer
