// What an import will change in the project, worked out completely before anything is written:
// the language columns to append, and per project row the new stored texts.
#pragma once

#include <optional>
#include <vector>

#include "platform/Variant.h"
#include "platform/jet/JetDatabase.h"
#include "transfer/ExchangeTexts.h"
#include "transfer/ImportLanguages.h"

namespace glossel::transfer {

struct PlannedRow {
    jet::RowId position;
    // The new values, by column of TidxTexts as it will be (appended columns last).
    std::vector<std::pair<std::size_t, Variant>> changes;
};

struct ImportPlan {
    std::vector<std::int32_t> newColumns;  // languages to append, in this order
    std::size_t columnCount = 0;           // of TidxTexts once they are appended
    std::vector<PlannedRow> rows;
    ImportSummary summary;

    bool changesProject() const { return summary.changesProject(); }
};

// Compares the file's texts with the project's. Errors: 3022 naming both rows of an ID that
// holds a text twice in one language; 3421 / 3163 listing the texts that cannot be stored (a
// character the code page cannot hold, longer than the column), the first twenty and how many.
ImportPlan planImport(const jet::JetDatabase& project, std::vector<ExchangeRow> rows,
                      const std::vector<std::int32_t>& lcids, const ImportOptions& options);

}  // namespace glossel::transfer
