// The save dialog behind FileTools.ShowSaveDialog. The platform layer has no windows: a program
// with a window system installs its dialog with SysTools().SetSaveDialog; without one, the call
// fails with an error that says so.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glossel::systools {

// One choice of the dialog's file type list: "Excel-Dateien (*.xls)" and "*.xls". Several
// patterns are separated by ";".
struct FileFilter {
    std::string description;
    std::string patterns;
};

struct SaveDialogRequest {
    std::string title;
    std::string initialName;
    std::vector<FileFilter> filters;
    // The owner window's handle as the window system gives it; 0 for none.
    std::uintptr_t owner = 0;
};

class SaveDialog {
public:
    virtual ~SaveDialog() = default;
    // The chosen path, or "" when the user cancels.
    virtual std::string show(const SaveDialogRequest& request) = 0;
};

// Splits a filter text of description and pattern pairs, all separated by "|":
// "Excel-Dateien (*.xls)|*.xls|Alle Dateien (*.*)|*.*". Throws glossel::Error
// err::kInvalidArgument, naming the text, for an odd number of parts or an empty pattern.
std::vector<FileFilter> parseFileFilter(const std::string& filter);

}  // namespace glossel::systools
