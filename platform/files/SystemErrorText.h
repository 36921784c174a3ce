// The reason a file operation failed, in German, for the messages that name the file.
#pragma once

#include <string>

namespace glossel::files {

// The value file reads report when the file ends before the bytes asked for.
inline constexpr int kEndOfFile = -1;

// "Datei oder Verzeichnis nicht gefunden" for ENOENT, "Zugriff verweigert" for EACCES, … for the
// errors file operations meet; the system's own text for the rarer ones.
std::string systemErrorText(int error);

}  // namespace glossel::files
