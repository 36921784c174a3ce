// The database engine object: created on first use, kept until the program ends.
#pragma once

#include <string>

#include "platform/dao/Database.h"

namespace glossel::dao {

class Engine {
public:
    // Opens a database by name (a path, "\" separators allowed). Without a connect string a Jet
    // database, shared and read-write as the engine's defaults (read-only when the file is);
    // with "Excel 8.0;..." a workbook, whose worksheets are tables named "SHEET$", exclusively
    // when `exclusive` is set. Errors: 3024 file not found, 3343 unrecognised format, 3049
    // damaged, 3031 password. (DAO's read-only flag is always False in this program and so left
    // out.)
    Database OpenDatabase(const std::string& name, bool exclusive = false,
                          const std::string& connect = "");
};

Engine& DBEngine();

}  // namespace glossel::dao
