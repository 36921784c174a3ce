// Where a registered project lies: its "Path" value, as the windows and the command line look it
// up after a project was chosen by name.
#pragma once

#include <string>

namespace glossel::projects {

// The project's directory as registered: empty when the project or its "Path" is missing.
// Throws glossel::Error 13 for a value that is neither text nor number, and the registry's errors.
std::string projectDirectory(const std::string& name);

}  // namespace glossel::projects
