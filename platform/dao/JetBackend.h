// The Jet engine behind DAO databases of .mdb and project files.
#pragma once

#include <memory>

#include "platform/dao/DatabaseBackend.h"
#include "platform/jet/JetDatabase.h"

namespace glossel::dao {

std::unique_ptr<DatabaseBackend> openJetBackend(const std::string& path);

}  // namespace glossel::dao
