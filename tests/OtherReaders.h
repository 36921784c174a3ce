// Running the independent readers that tests compare with: whether a program is there, what a
// command prints, and LibreOffice's CSV of a workbook, parsed.
#pragma once

#include <string>
#include <vector>

namespace glossel::test {

bool onPath(const std::string& program);

// What `command` prints on standard output; a failure of the test when it does not exit with 0.
std::string commandOutput(const std::string& command);

// RFC 4180 records: fields unquoted (line breaks inside quotes kept), trailing empty fields
// dropped.
std::vector<std::vector<std::string>> parseCsv(const std::string& text);

// The first sheet of the workbook `file` in `directory` as `soffice --headless --convert-to csv`
// gives it (UTF-8, comma, double quotes). LibreOffice runs with a profile of its own in
// `directory`, so that it neither needs a home directory nor hands the job to an office the user
// has open.
std::vector<std::vector<std::string>> libreOfficeCsv(const std::string& directory,
                                                     const std::string& file);

}  // namespace glossel::test
