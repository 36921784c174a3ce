// Paths arrive as the program builds them, joined with "\" (directory, "\", name, ".tvs").
// Everything that touches the file system maps them to native paths here.
#pragma once

#include <string>

namespace glossel {

// "\" becomes "/"; a path beginning with "\" is taken from the file-system root.
std::string nativePath(const std::string& path);

}  // namespace glossel
