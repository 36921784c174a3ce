// The checks before an import writes.
#include "transfer/ProjectWriteChecks.h"

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/FilePaths.h"
#include "platform/files/SystemErrorText.h"

namespace glossel::transfer {
namespace {

constexpr std::uint64_t kPage = 4096;
constexpr std::uint64_t kMiB = 1024 * 1024;

// A generous estimate of the room the changed copy takes: the project once more, each new text
// as UCS-2 in a row of its own, and pages for new columns and their index of free space.
std::uint64_t roomForCopy(std::uint64_t projectSize, const ImportPlan& plan) {
    std::uint64_t grown = kPage * (plan.newColumns.size() + 2);
    for (const PlannedRow& row : plan.rows) {
        for (const auto& [column, value] : row.changes) {
            const auto* text = std::get_if<std::string>(&value);
            grown += 32 + (text ? 2 * text->size() : 0);
        }
    }
    return projectSize + grown;
}

std::string inMiB(std::uint64_t bytes) {
    return std::to_string((bytes + kMiB - 1) / kMiB) + " MB";
}

[[noreturn]] void refuseProtected(const char* what, const std::string& path, int error) {
    std::string description = what;
    description += " '";
    description += path;
    description += "' ist schreibgeschützt (";
    description += files::systemErrorText(error);
    description += "); es wird nichts importiert.";
    throw Error(err::kReadOnly, description);
}

}  // namespace

void refuseUnwritableProject(const std::string& projectPath, const ImportPlan& plan) {
    const std::string project = nativePath(projectPath);
    // Renaming over a write-protected file would go through: the protection is honoured here.
    if (const int error = files::checkWritable(project)) {
        refuseProtected("Die Projektdatei", project, error);
    }
    // The copy is made beside the file the project's path leads to.
    const std::string directory = files::directoryOf(files::resolvedPath(project));
    if (const int error = files::checkWritable(directory)) {
        refuseProtected("Das Verzeichnis des Projekts", directory, error);
    }
    files::FileInfo info;
    std::uint64_t free = 0;
    if (files::infoOf(project, info) != 0 || files::freeSpaceOf(directory, free) != 0) {
        return;  // the write itself reports what the system says
    }
    const std::uint64_t needed = roomForCopy(info.size, plan);
    if (free < needed) {
        std::string description = "Im Verzeichnis '";
        description += directory;
        description += "' ist zu wenig Platz für die geänderte Kopie des Projekts (nötig etwa ";
        description += inMiB(needed);
        description += ", frei ";
        description += inMiB(free);
        description += "); es wird nichts importiert.";
        throw Error(err::kDiskIo, description);
    }
}

}  // namespace glossel::transfer
