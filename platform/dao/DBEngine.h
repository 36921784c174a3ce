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
    // Rewrites a Jet database this program created and is finishing so that it is as compact as
    // a fresh write of its rows: each table's rows in storage order, without moved-row pointers,
    // the file ending after its last page in use. The rewrite is not crash-safe step by step, so
    // only for a file nothing else has open and that is discarded if finishing it fails (e.g.
    // one written under a temporary name and renamed afterwards). Errors: 3024 file not found,
    // 3045 still open in this program, 3027 read-only or Jet 3.
    void CompactDatabase(const std::string& name);
};

Engine& DBEngine();

}  // namespace glossel::dao
