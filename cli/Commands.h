// The commands of glossel-cli. Each writes its result to `out` and throws glossel::Error on
// failure.
#pragma once

#include <ostream>
#include <string>

namespace glossel::cli {

// The project's language entries in list order, one text per line.
void listLanguages(const std::string& projectPath, std::ostream& out);
// The user tables of a Jet database, one name per line.
void listTables(const std::string& databasePath, std::ostream& out);
// A table's fields, one per line: name, type, size, and AllowZeroLength / Required where set,
// separated by tabs.
void listColumns(const std::string& databasePath, const std::string& table, std::ostream& out);
// A table as CSV: a header row of column names, then one line per record.
void dumpTable(const std::string& databasePath, const std::string& table, std::ostream& out);

}  // namespace glossel::cli
