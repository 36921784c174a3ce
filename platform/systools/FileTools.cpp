// The file operations of the utility component on the native file system.
#include "platform/systools/FileTools.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/systools/SaveDialog.h"
#include "platform/systools/SystemErrorText.h"

namespace glossel::systools {
namespace {

constexpr int kSaveDialogKind = 2;

}  // namespace

bool FileTools::FileExists(const std::string& path) const {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    const std::string native = nativePath(path);
    struct stat info {};
    if (::stat(native.c_str(), &info) == 0) {
        return !S_ISDIR(info.st_mode);
    }
    if (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG) {
        return false;
    }
    throw Error(kPathFileAccessError, "Ob die Datei " + native +
                                          " vorhanden ist, lässt sich nicht feststellen: " +
                                          systemErrorText(errno) + ".");
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
