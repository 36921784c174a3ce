// The project fields every window shares: the name chosen in the project chooser and the
// directory registered for it, and the project file they make together.
#pragma once

#include <string>

class QLineEdit;

namespace glossel::forms {

// Shows the project chooser (its help opening with `purpose`) and puts the chosen name into `name`
// and, when there is one, its registered directory into `path`. Returns false when the chooser
// ended without a choice (the name is then emptied, the directory kept). Errors of the chooser and
// the registry pass on.
bool chooseProject(QLineEdit& name, QLineEdit& path, const char* purpose);

// The directory, "\", the name and ".tvs", joined without any check.
std::string projectFilePath(const QLineEdit& name, const QLineEdit& path);

}  // namespace glossel::forms
