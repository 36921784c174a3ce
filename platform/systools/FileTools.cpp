// The file operations of the utility component on the native file system.
#include "platform/systools/FileTools.h"

#include <cerrno>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/FilePaths.h"
#include "platform/files/SystemErrorText.h"
#include "platform/systools/SaveDialog.h"

namespace glossel::systools {
namespace {

constexpr int kSaveDialogKind = 2;

}  // namespace

bool FileTools::FileExists(const std::string& path) const {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    files::FileInfo info;
    const int error = files::infoOf(path, info);
    if (error == 0) {
        return !info.directory;
    }
    if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG) {
        return false;
    }
    throw Error(kPathFileAccessError, "Ob die Datei " + nativePath(path) +
                                          " vorhanden ist, lässt sich nicht feststellen: " +
                                          files::systemErrorText(error) + ".");
}

std::string FileTools::ShowSaveDialog(int kind, const std::string& title,
                                      const std::string& initialName, const std::string& filter,
                                      int /*options*/, std::uintptr_t owner) const {
    if (kind != kSaveDialogKind) {
        throw Error(err::kInvalidArgument, "Dialogart " + std::to_string(kind) +
                                               " wird nicht angeboten (nur 2, Speichern).");
    }
    SaveDialogRequest request{title, initialName, parseFileFilter(filter), owner};
    if (saveDialog_ == nullptr) {
        throw Error(err::kInvalidOperation, "Der Dialog '" + title +
                                                "' kann nicht angezeigt werden: das Programm läuft "
                                                "ohne Fenstersystem.");
    }
    return saveDialog_->show(request);
}

}  // namespace glossel::systools
