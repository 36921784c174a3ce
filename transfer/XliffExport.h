// The export into an XLIFF 1.2 document for translation tools: the chosen languages, one of them
// the source, read from the project and decoded in their own code pages as the repair decodes
// the other kinds, one <file> per target language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glossel::transfer {

// Writes the document into `documentPath` (an empty file the caller made; `shownTarget` names
// the target in messages). Error 5 unless `sourceLcid` is one of `lcids` and another language is
// chosen beside it. A unit per row whose source text is not empty: the ID as its id, the
// Description as its note, the target's text where the project has one. Refuses, listing them
// by ID and language before anything is written: texts the machine's code page cannot hold,
// characters XML cannot carry, and an ID twice in the project (3022).
void writeXliffExport(const std::string& projectPath, const std::vector<std::int32_t>& lcids,
                      std::int32_t sourceLcid, const std::string& documentPath,
                      const std::string& shownTarget);

}  // namespace glossel::transfer
