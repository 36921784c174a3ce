// The one statement form Database.Execute runs:
//   INSERT INTO target SELECT column, column, ... FROM source
// Keywords in any letter case, names optionally in [brackets]; anything else is a syntax error.
#pragma once

#include <string>
#include <vector>

#include "platform/dao/DatabaseSession.h"

namespace glossel::dao {

struct InsertSelect {
    std::string target;
    std::vector<std::string> columns;
    std::string source;

    // Error 3000-range "syntax error" (3134 for INSERT INTO) naming the statement.
    static InsertSelect parse(const std::string& statement);
};

// Runs the statement: every source row, in storage order, becomes a target row, each selected
// column going to the target field of the same name (the others stay null). Errors: 3061 a
// column the source lacks, 3127 a column the target lacks; a row the target refuses stops the
// statement with the target's error, naming the row's ID.
void runInsertSelect(DatabaseSession& session, const std::string& statement);

}  // namespace glossel::dao
