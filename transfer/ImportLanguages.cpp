// The import, step by step: the languages asked for, the guard on the project, the project's
// format, the file's texts, the plan and the checks before writing; and only then (and only when
// a text changes) the writing.
#include "transfer/ImportLanguages.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/FilePaths.h"
#include "platform/files/SystemErrorText.h"
#include "platform/jet/JetDatabase.h"
#include "transfer/ExchangeTexts.h"
#include "transfer/ImportPlan.h"
#include "transfer/LanguageText.h"
#include "transfer/ProjectGuard.h"
#include "transfer/ProjectReplacement.h"
#include "transfer/ProjectWriteChecks.h"
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

// Whether the file is still the one read, unwritten: same file, size and times.
bool sameFileState(const files::FileInfo& a, const files::FileInfo& b) {
    return a.identity == b.identity && a.size == b.size && a.modifiedNs == b.modifiedNs &&
           a.changedNs == b.changedNs;
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

struct PreparedImport::State {
    std::string projectPath;
    ProjectGuard guard;
    files::FileInfo read;  // the project file as it was read
    ImportPlan plan;
    bool written = false;
};

PreparedImport::PreparedImport(std::unique_ptr<State> state) : state_(std::move(state)) {}
PreparedImport::PreparedImport(PreparedImport&&) noexcept = default;
PreparedImport& PreparedImport::operator=(PreparedImport&&) noexcept = default;
PreparedImport::~PreparedImport() = default;

const ImportSummary& PreparedImport::summary() const {
    return state_->plan.summary;
}

const ImportSummary& PreparedImport::write() {
    State& state = *state_;
    if (state.written) {
        throw Error(err::kInvalidOperation, "Dieser Import ist schon geschrieben.");
    }
    if (!state.plan.changesProject()) {
        return state.plan.summary;
    }
    files::FileInfo now;
    if (files::infoOf(state.projectPath, now) != 0 || !sameFileState(now, state.read)) {
        throw Error(err::kDataChanged, "Das Projekt '" + nativePath(state.projectPath) +
                                           "' wurde geändert, seit es gelesen wurde; es wird "
                                           "nichts importiert. Bitte prüfen Sie erneut.");
    }
    replaceProject(state.projectPath, state.plan);
    state.written = true;
    state.plan.summary.written = true;
    return state.plan.summary;
}

PreparedImport prepareImport(const std::string& projectPath, const std::string& exchangePath,
                             const std::vector<std::int32_t>& lcids,
                             const ImportOptions& options) {
    refuseUnknownLanguages(lcids);
    auto state = std::make_unique<PreparedImport::State>(
        PreparedImport::State{projectPath, ProjectGuard(projectPath), {}, {}, false});
    if (const int error = files::infoOf(projectPath, state->read)) {
        throw Error(err::kCannotOpen, "Das Projekt '" + nativePath(projectPath) +
                                          "' lässt sich nicht lesen: " +
                                          files::systemErrorText(error) + ".");
    }
    {
        const auto project = jet::JetDatabase::open(projectPath);
        refuseJet3(*project);
    }
    // The file's texts are taken before the project is read again, so that the two are not held
    // in memory together.
    std::vector<ExchangeRow> rows = readExchangeTexts(exchangePath, lcids);
    state->plan =
        planImport(*jet::JetDatabase::open(projectPath), std::move(rows), lcids, options);
    state->plan.summary.fromXliff = isXliffExchange(exchangePath);
    if (state->plan.changesProject()) {
        refuseUnwritableProject(projectPath, state->plan);
    }
    return PreparedImport(std::move(state));
}

ImportSummary ImportLanguages(const std::string& projectPath, const std::string& exchangePath,
                              const std::vector<std::int32_t>& lcids,
                              const ImportOptions& options) {
    PreparedImport prepared = prepareImport(projectPath, exchangePath, lcids, options);
    if (options.dryRun) {
        return prepared.summary();
    }
    return prepared.write();
}

std::vector<std::int32_t> ExchangeFileLanguages(const std::string& exchangePath) {
    return exchangeLanguages(exchangePath);
}

}  // namespace glossel::transfer
