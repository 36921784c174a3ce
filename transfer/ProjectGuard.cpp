// The checks and the lock that guard a project during an import.
#include "transfer/ProjectGuard.h"

#include <cerrno>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/FilePaths.h"
#include "platform/files/SystemErrorText.h"

namespace glossel::transfer {
namespace {

constexpr char kJetLockExtension[] = ".ldb";

// Whether another program holds byte-range locks on the file; false when it is not there.
bool lockedByAnother(const std::string& path) {
    files::File file;
    if (file.open(path, files::Access::read) != 0) {
        return false;
    }
    bool locked = false;
    return file.testRangeLocks(locked) == 0 && locked;
}

}  // namespace

std::string jetLockFilePath(const std::string& databasePath) {
    const std::string path = nativePath(databasePath);
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? path.substr(0, dot) : path) + kJetLockExtension;
}

ProjectGuard::ProjectGuard(const std::string& projectPath) {
    const std::string project = nativePath(projectPath);
    if (const int error = lock_.open(project, files::Access::read)) {
        throw Error(error == ENOENT ? err::kFileNotFound : err::kCannotOpen,
                    "Die Projektdatei '" + project +
                        "' kann nicht geöffnet werden: " + files::systemErrorText(error) + ".");
    }
    const std::string lockFile = jetLockFilePath(project);
    if (lockedByAnother(lockFile) || lockedByAnother(project)) {
        throw Error(err::kFileInUse, "Das Projekt '" + project +
                                         "' ist in einem anderen Programm geöffnet (Sperrdatei '" +
                                         lockFile +
                                         "'); es wird nichts importiert. Bitte das Projekt dort "
                                         "schliessen.");
    }
    if (const int error = lock_.tryLockExclusive()) {
        throw Error(err::kFileInUse,
                    error == EWOULDBLOCK
                        ? "In das Projekt '" + project +
                              "' importiert gerade ein anderes Glossel; es wird nichts importiert."
                        : "Das Projekt '" + project + "' kann nicht gesperrt werden: " +
                              files::systemErrorText(error) + ".");
    }
}

}  // namespace glossel::transfer
