// The import command and its list of changes.
#include "cli/ImportCommand.h"

#include "transfer/ChangesCsv.h"

namespace glossel::cli {

void importLanguages(const std::string& projectPath, const std::string& exchangePath,
                     const std::vector<std::int32_t>& lcids, transfer::ImportOptions options,
                     const std::string& changesPath, std::ostream& out) {
    options.listChanges = !changesPath.empty();
    const transfer::ImportSummary summary =
        transfer::ImportLanguages(projectPath, exchangePath, lcids, options);
    if (options.listChanges) {
        transfer::writeChangesCsv(changesPath, summary.changes);
    }
    out << transfer::describeImport(summary, options);
}

}  // namespace glossel::cli
