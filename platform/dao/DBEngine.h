// The database engine object: created on first use, kept until the program ends.
#pragma once

#include <string>

#include "platform/dao/Database.h"

namespace glossel::dao {

class Engine {
public:
    // Opens a Jet database by name (a path, "\" separators allowed), shared and read-write as the
    // engine's defaults (read-only when the file is). Errors: 3024 file not found,
    // 3343 unrecognised format, 3049 damaged, 3031 password.
    Database OpenDatabase(const std::string& name);
};

Engine& DBEngine();

}  // namespace glossel::dao
