// The catalogue of registered projects, as the project chooser shows it.
#pragma once

#include <cstdint>

#include "projects/ListView.h"

namespace glossel::projects {

// Reads every registration (ProjectRegistry.h) afresh and fills `listView`, which has three
// columns and no rows yet, with one row per project whose type is in `TypeMask`: key "S:" and
// the name in lower case, text the name as registered, then its "Path" and "ProjectType" texts,
// in the order the registry lists them. A registration whose project file (ProjectRegistry.h)
// is missing is deleted from the registry and not listed. One whose type is missing or unknown
// is never listed; its project file is taken to be the ".tvs" one. A registration is neither
// listed nor deleted when its type is written as a number or stored as other data than text,
// its path is stored as other data than text, its project file cannot be checked (no right to
// look, an I/O error), or it cannot be deleted (the registry may not be changed by this user):
// the others are listed all the same. At the end no row is selected and the columns are
// fitted: the first two to their entries, the last to header and entries.
// Errors of the registry itself and of the list pass to the caller at once; the rows added and
// registrations deleted before stay as they are.
void FillProjectList(ListView& listView, const std::int32_t& TypeMask);

}  // namespace glossel::projects
