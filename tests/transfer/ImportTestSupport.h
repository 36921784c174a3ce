// Test helpers for the import: a copy of a project in a fresh directory under a German interface
// on a cp1252 machine, exchange files exported from it, edits of their cells, a snapshot of the
// directory to show that nothing was written, and after every import that wrote, the project
// read by mdbtools and mdb-reader: unchanged but for the imported columns.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "tests/TestFiles.h"
#include "tests/platform/nls/ScopedLocaleEnvironment.h"
#include "transfer/ImportLanguages.h"

namespace glossel::transfer::test {

// Every file of a directory (hidden ones included) by name, with its bytes.
using DirectorySnapshot = std::map<std::string, std::vector<std::uint8_t>>;
DirectorySnapshot snapshotOf(const std::string& directory);

// The connect string and table name of an exchange file's text table.
struct ExchangeAccess {
    std::string connect;
    std::string table;
};
ExchangeAccess exchangeAccess(const std::string& path);

// Sets cells of the rows with the given IDs: {id, {column, value}}.
void editExchange(const std::string& path,
                  const std::map<std::int64_t, std::map<std::string, Variant>>& cells);
// Appends a row: {column, value}.
void appendExchangeRow(const std::string& path, const std::map<std::string, Variant>& cells);

// Renames a table of a Jet 4 database by rewriting its name where the catalog stores it (UTF-16):
// the new name must be as long as the old one. Our engine cannot create or rename tables.
void renameTable(const std::string& database, const std::string& from, const std::string& to);

// A column of a Jet table, or of an exchange workbook's text table, by ID: {id, value}.
std::map<std::int64_t, Variant> columnById(const std::string& database, const std::string& column,
                                           const std::string& table = "TidxTexts");

class ImportFixture : public ::testing::Test {
protected:
    ImportFixture();

    // Copies a project file from tests/data into the test directory as Demo.tvs.
    void useProject(const std::string& relative);
    // Exports the languages to `name` in the test directory (an .xlf with `sourceLcid` as its
    // source); returns its path.
    std::string exportTo(const std::string& name, const std::vector<std::int32_t>& lcids,
                         std::int32_t sourceLcid = 0);
    // Imports into the project; when the project changed, also expects that independent readers
    // find it as before except the imported columns, and that the summary says it was written.
    ImportSummary import(const std::string& file, const std::vector<std::int32_t>& lcids,
                         ImportOptions options = {});
    DirectorySnapshot snapshot() const { return snapshotOf(directory_); }

    nls::test::ScopedLocaleEnvironment environment_;
    glossel::test::TempDir dir_;
    std::string directory_;
    std::string project_;
    std::string files_;  // a second directory for exchange files, apart from the project
};

}  // namespace glossel::transfer::test
