// FileTools of the utility component: the file operations the program needs. Paths arrive
// joined with "\" as the program builds them; they are mapped to native paths (NativePath.h).
#pragma once

#include <string>

namespace glossel::systools {

// "Pfad/Datei-Zugriffsfehler" and "Datei nicht gefunden", as the VB runtime numbers them.
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kFileNotFoundError = 53;

class FileTools {
public:
    // True when `path` names an existing file that is not a directory; false when nothing is
    // there. Throws glossel::Error kPathFileAccessError when that cannot be told (no right to
    // look into a directory on the way, an I/O error), so that nobody takes such a file for
    // missing.
    bool FileExists(const std::string& path) const;

    // The extension of the path's last part, as written and without its dot; empty when there
    // is none. Both "\" and "/" separate parts.
    std::string GetExtension(const std::string& path) const;

    // Copies source to target as the shell's file operation does with operation 2 (copy) and
    // the silent flags 0x414: a file at target is replaced without a question. The copy is
    // written beside the target and renamed over it, so a failing copy leaves the target as it
    // was. Unlike the shell's silent copy, a failure is raised: 53 for a missing source, 75 for
    // a target that cannot be written or is the source itself. `extra` is not used.
    void CopyFile(const std::string& source, const std::string& target, int operation,
                  int flags, int extra) const;
};

}  // namespace glossel::systools
