// Scenario files for the independent readers: a written Jet file and, beside it, what it must
// hold (NAME.TABLE.expected.csv, or atleast/maybe after a simulated failure, and NAME.schema.txt),
// in the CSV that glossel-cli prints.
#pragma once

#include <string>
#include <vector>

#include "platform/Variant.h"
#include "tests/TestDatabase.h"

namespace glossel::test {


struct SchemaColumn {
    std::string name;
    std::string type;  // Long, Memo, Text, ...
    std::string size;  // characters for Text, bytes otherwise
};

void writeRowsCsv(const std::string& path, const std::vector<std::string>& header,
                  const Rows& rows);
void writeSchema(const std::string& path, const std::string& table,
                 const std::vector<SchemaColumn>& columns);

}  // namespace glossel::test
