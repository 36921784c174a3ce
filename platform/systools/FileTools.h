// FileTools of the utility component: the file operations the program needs. Paths arrive
// joined with "\" as the program builds them; they are mapped to native paths (NativePath.h).
#pragma once

#include <cstdint>
#include <string>

namespace glossel::systools {

class SaveDialog;

// "Pfad/Datei-Zugriffsfehler" and "Datei nicht gefunden", as the VB runtime numbers them.
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kFileNotFoundError = 53;

class FileTools {
public:
    // `saveDialog` is the dialog ShowSaveDialog shows; nullptr where the program has none.
    explicit FileTools(SaveDialog* saveDialog = nullptr) : saveDialog_(saveDialog) {}

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
    void CopyFile(const std::string& source, const std::string& target, int operation, int flags,
                  int extra) const;

    // Shows the modal save dialog with `title`, `initialName` and `filter` (description and
    // pattern pairs separated by "|", see SaveDialog.h) over the window `owner`, and returns the
    // chosen path; "" when the user cancels. `kind` 2 is the save dialog; `options` 4 hides the
    // read-only box, which this dialog never shows. An existing file is only chosen after the
    // user has confirmed that it may be replaced. Throws glossel::Error err::kInvalidArgument
    // for another kind or a malformed filter, err::kInvalidOperation where the program has no
    // window system.
    std::string ShowSaveDialog(int kind, const std::string& title, const std::string& initialName,
                               const std::string& filter, int options, std::uintptr_t owner) const;

private:
    SaveDialog* saveDialog_;
};

}  // namespace glossel::systools
