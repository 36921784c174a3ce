// The file operations of the utility component on the native file system.
#include "platform/systools/FileTools.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/systools/SystemErrorText.h"

namespace glossel::systools {

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

}  // namespace glossel::systools
