// The texts of an XLIFF document as the import takes them: every <file> whose target language
// is one asked for, its units by ID. A tag stands for its LCID, a tag without region for its
// language's likely one ("ru" → 1049).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transfer/ExchangeTexts.h"

namespace glossel::transfer {

// The target languages of the document's <file> elements, each once, in document order. Errors:
// the reader's, and 3343 naming a language tag no LCID stands for.
std::vector<std::int32_t> xliffLanguages(const std::string& path);

// A row per ID with the texts of the languages asked for: a unit's target where it is not empty
// and counts as translated; a unit not yet translated is marked as such. Errors: the reader's,
// 3343 for a tag no LCID stands for, 3265 naming a language the document has no <file> for, 13
// naming the line of an ID that is no whole number, 3022 naming both lines of an ID with two
// targets of one language.
std::vector<ExchangeRow> readXliffTexts(const std::string& path,
                                        const std::vector<std::int32_t>& lcids);

}  // namespace glossel::transfer
