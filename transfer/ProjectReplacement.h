// Writing an import: a copy of the project beside it takes the planned changes through the Jet
// engine and is made durable; the previous project is kept as "<name>.tvs.bak" and the copy
// renamed over the project in one step. A failure at any step leaves the project as it was and
// no temporary file behind. The checks of ProjectWriteChecks.h run before anything is written.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/jet/PageStore.h"
#include "transfer/ImportPlan.h"

namespace glossel::transfer {

// Lets a caller put its own store between the engine and the copy (tests make writes fail).
using StoreFilter = std::function<std::unique_ptr<jet::PageStore>(std::unique_ptr<jet::PageStore>)>;

void replaceProject(const std::string& projectPath, const ImportPlan& plan,
                    const StoreFilter& filter = {});

// "<project>.bak": where the previous project is kept.
std::string backupPath(const std::string& projectPath);

}  // namespace glossel::transfer
