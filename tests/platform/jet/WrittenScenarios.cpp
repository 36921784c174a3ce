// Expectation files of written scenarios.
#include "tests/platform/jet/WrittenScenarios.h"

#include <fstream>
#include <stdexcept>

#include "cli/CsvFormat.h"

namespace glossel::test {

void writeRowsCsv(const std::string& path, const std::vector<std::string>& header,
                  const Rows& rows) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t i = 0; i < header.size(); ++i) {
        out << (i ? "," : "") << glossel::csvQuoted(header[i]);
    }
    out << '\n';
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            out << (i ? "," : "") << cli::csvField(row[i]);
        }
        out << '\n';
    }
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

void writeSchema(const std::string& path, const std::string& table,
                 const std::vector<SchemaColumn>& columns) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const auto& column : columns) {
        out << table << '\t' << column.name << '\t' << column.type << '\t' << column.size << '\n';
    }
}

}  // namespace glossel::test
