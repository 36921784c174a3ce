// Test helpers for the import.
#include "tests/transfer/ImportTestSupport.h"

#include <filesystem>
#include <sstream>

#include "cli/ExportCommand.h"
#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "tests/ImportedProjectCheck.h"
#include "tests/TestDatabase.h"

namespace glossel::transfer::test {
namespace fs = std::filesystem;

namespace {

std::int64_t idOf(const Variant& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return *number;
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return static_cast<std::int64_t>(*real);
    }
    return -1;
}

}  // namespace

DirectorySnapshot snapshotOf(const std::string& directory) {
    DirectorySnapshot files;
    for (const auto& entry : fs::directory_iterator(directory)) {
        files[entry.path().filename().string()] = glossel::test::readBytes(entry.path().string());
    }
    return files;
}

ExchangeAccess exchangeAccess(const std::string& path) {
    if (path.ends_with(".xls")) {
        return {"Excel 8.0;HDR=YES;IMEX=2;", "TidxTexts$"};
    }
    return {"", "TidxTexts"};
}

void editExchange(const std::string& path,
                  const std::map<std::int64_t, std::map<std::string, Variant>>& cells) {
    const ExchangeAccess access = exchangeAccess(path);
    dao::Database database = dao::DBEngine().OpenDatabase(path, false, access.connect);
    dao::Recordset records = database.OpenRecordset(access.table);
    std::size_t edited = 0;
    for (records.MoveFirst(); !records.Eof(); records.MoveNext()) {
        const auto row = cells.find(idOf(records.Fields().Item("ID").Value()));
        if (row == cells.end()) {
            continue;
        }
        records.Edit();
        for (const auto& [column, value] : row->second) {
            records.Fields().Item(column).SetValue(value);
        }
        records.Update();
        ++edited;
    }
    records.Close();
    database.Close();
    ASSERT_EQ(edited, cells.size()) << "not every ID is in " << path;
}

void appendExchangeRow(const std::string& path, const std::map<std::string, Variant>& cells) {
    const ExchangeAccess access = exchangeAccess(path);
    dao::Database database = dao::DBEngine().OpenDatabase(path, false, access.connect);
    dao::Recordset records = database.OpenRecordset(access.table);
    records.AddNew();
    for (const auto& [column, value] : cells) {
        records.Fields().Item(column).SetValue(value);
    }
    records.Update();
    records.Close();
    database.Close();
}

void renameTable(const std::string& database, const std::string& from, const std::string& to) {
    ASSERT_EQ(from.size(), to.size());
    std::vector<std::uint8_t> bytes = glossel::test::readBytes(database);
    ASSERT_EQ(
        glossel::test::replaceAll(bytes, glossel::test::utf16Le(from), glossel::test::utf16Le(to)),
        1)
        << "the name " << from << " is not stored once in " << database;
    glossel::test::writeBytes(database, bytes);
}

std::map<std::int64_t, Variant> columnById(const std::string& database, const std::string& column,
                                           const std::string& table) {
    const ExchangeAccess workbook = exchangeAccess(database);
    const bool isWorkbook = !workbook.connect.empty();
    dao::Database opened = dao::DBEngine().OpenDatabase(database, false, workbook.connect);
    dao::Recordset records = opened.OpenRecordset(isWorkbook ? workbook.table : table);
    std::map<std::int64_t, Variant> values;
    try {
        for (records.MoveFirst(); !records.Eof(); records.MoveNext()) {
            values[idOf(records.Fields().Item("ID").Value())] =
                records.Fields().Item(column).Value();
        }
    } catch (const Error& error) {
        if (error.number() != err::kNoCurrentRecord) {
            throw;
        }
    }
    records.Close();
    opened.Close();
    return values;
}

ImportFixture::ImportFixture() {
    environment_.set("LANG", "de_DE.UTF-8");
    environment_.set("TESSVIA_ACP", "1252");
    directory_ = dir_.path("Projekt");
    files_ = dir_.path("Dateien");
    fs::create_directory(directory_);
    fs::create_directory(files_);
    project_ = directory_ + "/Demo.tvs";
    useProject("jet/Demo.tvs");
}

void ImportFixture::useProject(const std::string& relative) {
    fs::copy_file(glossel::test::dataPath(relative), project_,
                  fs::copy_options::overwrite_existing);
    fs::permissions(project_, fs::perms::owner_write, fs::perm_options::add);
}

std::string ImportFixture::exportTo(const std::string& name,
                                    const std::vector<std::int32_t>& lcids,
                                    std::int32_t sourceLcid) {
    const std::string target = files_ + "/" + name;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_TRUE(cli::exportLanguages(project_, target, lcids, sourceLcid, out, err)) << err.str();
    return target;
}

ImportSummary ImportFixture::import(const std::string& file, const std::vector<std::int32_t>& lcids,
                                    ImportOptions options) {
    if (!fs::exists(project_)) {
        return ImportLanguages(project_, file, lcids, options);
    }
    const std::string before = dir_.path("Vorher.tvs");
    fs::remove(before);  // a copy of a write-protected project is write-protected too
    fs::copy_file(project_, before);
    const ImportSummary summary = ImportLanguages(project_, file, lcids, options);
    EXPECT_EQ(glossel::test::readBytes(project_) != glossel::test::readBytes(before),
              summary.written)
        << "the summary says the project was" << (summary.written ? "" : " not") << " written";
    EXPECT_TRUE(glossel::test::onlyImportedColumnsChanged(before, project_, lcids));
    if (summary.written) {
        const glossel::test::GlobalMapFaults faults = glossel::test::globalMapFaults(project_, 0);
        EXPECT_TRUE(faults.usedAfterTheEnd.empty())
            << "the global map claims page " << faults.usedAfterTheEnd.front()
            << " after the end of the project";
    }
    return summary;
}

}  // namespace glossel::transfer::test
