// Running the independent readers that tests compare with: whether a program is there, what a
// command prints, LibreOffice's CSV of a workbook, parsed, and XLIFF files as xmllint and
// translate-toolkit see them.
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

// xmllint's messages on the XLIFF file checked against the OASIS XLIFF 1.2 strict schema (in
// tests/data/xliff/schema); empty when the file is valid.
std::string xliffSchemaErrors(const std::string& path);

// A unit as translate-toolkit reads it: the original of its <file>, its id, source, target
// ("-" for none) and developer note.
struct ToolkitUnit {
    std::string original;
    std::string id;
    std::string source;
    std::string target;
    std::string note;
    bool operator==(const ToolkitUnit&) const = default;
};
std::vector<ToolkitUnit> translateToolkitUnits(const std::string& path);

}  // namespace glossel::test
