// The file layer's errors for a file that must already be there.
#include "platform/files/ExistingFile.h"

#include <cerrno>

#include "platform/files/FileError.h"
#include "platform/files/SystemErrorText.h"

namespace glossel::files {

File openExistingFile(const std::string& nativePath, const std::string& shownPath,
                      FileInfo& info) {
    File file;
    if (const int error = file.open(nativePath, Access::read)) {
        if (error == ENOENT || error == ENOTDIR) {
            throw FileError(err::kFileNotFound,
                            "Die Datei '" + shownPath + "' wurde nicht gefunden.", error);
        }
        throw FileError(err::kCannotOpen,
                        "Die Datei '" + shownPath + "' kann nicht geöffnet werden (" +
                            systemErrorText(error) + ").",
                        error);
    }
    if (const int error = file.info(info)) {
        throw FileError(err::kCannotOpen,
                        "Die Datei '" + shownPath + "' kann nicht gelesen werden (" +
                            systemErrorText(error) + ").",
                        error);
    }
    if (!info.regular) {
        throw FileError(err::kCannotOpen, "Die Datei '" + shownPath + "' ist keine reguläre Datei.",
                        EISDIR);
    }
    return file;
}

}  // namespace glossel::files
