// The import, step by step: the languages asked for, the guard on the project, the project's
// format, the file's texts, the plan, and only then (and only when a text changes) the writing.
#include "transfer/ImportLanguages.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/jet/JetDatabase.h"
#include "transfer/ExchangeTexts.h"
#include "transfer/ImportPlan.h"
#include "transfer/LanguageText.h"
#include "transfer/ProjectGuard.h"
#include "transfer/ProjectReplacement.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

void refuseUnknownLanguages(const std::vector<std::int32_t>& lcids) {
    if (lcids.empty()) {
        throw Error(err::kInvalidArgument, "Es ist keine Sprache zum Importieren gewählt.");
    }
    for (const std::int32_t lcid : lcids) {
        if (!isKnownLanguage(lcid)) {
            throw Error(err::kInvalidArgument, "Die Sprache " + std::to_string(lcid) +
                                                   " kennt das System nicht; es wird nichts "
                                                   "importiert.");
        }
        if (std::count(lcids.begin(), lcids.end(), lcid) > 1) {
            throw Error(err::kInvalidArgument,
                        "Die Sprache " + std::to_string(lcid) + " ist zweimal gewählt.");
        }
    }
}

void refuseJet3(const jet::JetDatabase& project) {
    if (project.format().version != jet::JetVersion::Jet4) {
        throw Error(err::kReadOnly, "Das Projekt '" + nativePath(project.path()) +
                                        "' hat das Jet-3-Format (Access 97); dieses Programm "
                                        "schreibt nur Jet-4-Datenbanken. Es wird nichts "
                                        "importiert.");
    }
}

}  // namespace

ImportSummary ImportLanguages(const std::string& projectPath, const std::string& exchangePath,
                              const std::vector<std::int32_t>& lcids,
                              const ImportOptions& options) {
    refuseUnknownLanguages(lcids);
    const ProjectGuard guard(projectPath);
    ImportPlan plan;
    {
        const auto project = jet::JetDatabase::open(projectPath);
        refuseJet3(*project);
    }
    // The file's texts are taken before the project is read again, so that the two are not held
    // in memory together.
    std::vector<ExchangeRow> rows = readExchangeTexts(exchangePath, lcids);
    plan = planImport(*jet::JetDatabase::open(projectPath), std::move(rows), lcids, options);
    if (!options.dryRun && plan.changesProject()) {
        replaceProject(projectPath, plan);
        plan.summary.written = true;
    }
    return std::move(plan.summary);
}

std::vector<std::int32_t> ExchangeFileLanguages(const std::string& exchangePath) {
    return exchangeLanguages(exchangePath);
}

}  // namespace glossel::transfer
