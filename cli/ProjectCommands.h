// The glossel-cli commands for registered projects. Each writes its result to `out` and throws
// glossel::Error on failure. The registry is the file TESSVIA_REGISTRY names (SysTools.h).
#pragma once

#include <ostream>
#include <string>

namespace glossel::cli {

// The projects the project chooser would list, one per line: name, directory and type,
// separated by tabs. With `prune`, registrations whose project file is missing are deleted from
// the registry, as the chooser deletes them; without it, the registry is not changed.
void listProjects(bool prune, std::ostream& out);

// The project's "Path" as the main window reads it: empty when the project or the value is
// missing.
void printProjectPath(const std::string& name, std::ostream& out);

}  // namespace glossel::cli
