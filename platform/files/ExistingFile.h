// Opening a file from outside for reading, with the errors worded once: 3024 "Die Datei '…'
// wurde nicht gefunden.", 3051 when it cannot be opened or is no regular file.
#pragma once

#include <string>

#include "platform/files/File.h"

namespace glossel::files {

// Opens `nativePath` for reading; `shownPath` names it in errors. `info` receives its state.
File openExistingFile(const std::string& nativePath, const std::string& shownPath,
                      FileInfo& info);

}  // namespace glossel::files
