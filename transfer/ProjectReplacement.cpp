// The staged copy, the backup by a second name for the previous project, and the replacement.
#include "transfer/ProjectReplacement.h"

#include <cerrno>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/FilePaths.h"
#include "platform/files/StagedFile.h"
#include "platform/files/SystemErrorText.h"
#include "platform/jet/ColumnAdder.h"
#include "platform/jet/PageAllocator.h"
#include "platform/jet/TableWriter.h"
#include "transfer/ProjectWriteChecks.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr std::uint16_t kLanguageColumnSize = 255;

[[noreturn]] void writeFailed(const std::string& path, int error) {
    throw Error(err::kDiskIo, "Die Datei '" + path + "' kann nicht geschrieben werden: " +
                                  files::systemErrorText(error) +
                                  "; das Projekt bleibt unverändert.");
}

void applyPlan(const std::shared_ptr<jet::JetDatabase>& database, const ImportPlan& plan) {
    for (const std::int32_t lcid : plan.newColumns) {
        jet::addTextColumn(database, kProjectTextTable,
                           {languageColumnName(lcid), kLanguageColumnSize, true});
    }
    jet::TableWriter writer(database, kProjectTextTable);
    std::vector<std::optional<Variant>> changes(plan.columnCount);
    for (const PlannedRow& row : plan.rows) {
        std::fill(changes.begin(), changes.end(), std::nullopt);
        for (const auto& [column, value] : row.changes) {
            changes[column] = value;
        }
        writer.updateRow(row.position, changes);
    }
    jet::finishWriting(database->channel());
}

// Keeps the project as it is now under the backup name: a second name for the same file where
// the file system allows it, a copy otherwise.
void keepBackup(const std::string& project) {
    const std::string backup = backupPath(project);
    if (const int error = files::removeFile(backup); error != 0 && error != ENOENT) {
        writeFailed(backup, error);
    }
    if (files::linkFile(project, backup) == 0) {
        return;
    }
    files::StagedFile copy(backup);
    if (const int error = files::copyContent(project, copy.path())) {
        writeFailed(backup, error);
    }
    copy.commit();
}

}  // namespace

std::string backupPath(const std::string& projectPath) {
    return nativePath(projectPath) + ".bak";
}

void replaceProject(const std::string& projectPath, const ImportPlan& plan,
                    const StoreFilter& filter) {
    const std::string project = nativePath(projectPath);
    refuseUnwritableProject(project, plan);
    files::StagedFile staged(project);
    if (const int error = files::copyContent(project, staged.path())) {
        writeFailed(project, error);
    }
    {
        jet::OpenedFile opened = jet::openFileStore(staged.path(), project);
        std::unique_ptr<jet::PageStore> store = std::move(opened.store);
        if (filter) {
            store = filter(std::move(store));
        }
        applyPlan(jet::JetDatabase::open(std::move(store), project), plan);
    }
    keepBackup(project);
    staged.commit();
}

}  // namespace glossel::transfer
