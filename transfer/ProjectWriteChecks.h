// What must hold before an import may replace the project, checked before anyone is asked and
// in a dry run as well: the project file and its directory take writes, and the directory has
// room for the changed copy.
#pragma once

#include <string>

#include "transfer/ImportPlan.h"

namespace glossel::transfer {

// Error 3027 for a write-protected project file or directory, 3043 for too little room, each
// naming the path and saying that nothing is imported.
void refuseUnwritableProject(const std::string& projectPath, const ImportPlan& plan);

}  // namespace glossel::transfer
