// Writes Jet files the way an export changes them, each with what it must hold, for the check by
// the independent readers (tests/oracles/written_file_oracle.py):
//   export       the template with three language columns, thousands of rows (nulls, empty
//                texts, 255-character texts, memos of 10, 3,000 and 100,000 characters), then
//                every text of one column made longer or shorter
//   grown        a column added to a table that already holds rows
//   wide         a table definition grown past one page, then rows in the new columns
//   fault-*      a row update and a column addition whose page writes fail after N pages, for
//                every N until the operation completes
// Usage: jet_write_scenarios DATA_DIR OUT_DIR
#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/jet/ColumnAdder.h"
#include "platform/jet/JetDatabase.h"
#include "platform/jet/TableWriter.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"
#include "tests/platform/jet/FailingStore.h"
#include "tests/platform/jet/WrittenScenarios.h"

namespace glossel::test {
namespace {

namespace fs = std::filesystem;

std::string dataDir;
std::string outDir;

std::string repeat(const std::string& piece, std::size_t characters) {
    std::string text;
    while (text.size() < characters) {
        text += piece;
    }
    return text.substr(0, characters);
}

std::string repeatCyrillic(std::size_t characters) {
    std::string text;
    for (std::size_t i = 0; i < characters; ++i) {
        text += "ж";
    }
    return text;
}

void require(bool condition, const std::string& what) {
    if (!condition) {
        throw std::runtime_error(what);
    }
}

std::string copyFixture(const std::string& fixture, const std::string& name) {
    const std::string target = outDir + "/" + name;
    fs::copy_file(dataDir + "/" + fixture, target, fs::copy_options::overwrite_existing);
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    return target;
}

void addLanguageColumns(dao::Database& database, const std::vector<int>& lcids) {
    dao::TableDef table = database.TableDefs().Item("TidxTexts");
    for (const int lcid : lcids) {
        dao::Field field = table.CreateField("L" + std::to_string(lcid), 10, 255);
        field.SetAllowZeroLength(true);
        table.Fields().Append(field);
    }
}

std::vector<Variant> exportRow(int id) {
    Variant description = std::string("Beschreibung ") + std::to_string(id);
    if (id % 1000 == 5) {
        description = repeat("Lange Beschreibung " + std::to_string(id) + ". ", 100000);
    } else if (id % 100 == 7) {
        description = repeat("Mittlere Beschreibung, ", 3000);
    } else if (id % 10 == 3) {
        description = std::string("zehn Zeich");
    } else if (id % 97 == 0) {
        description = Null{};
    }
    Variant german = "Zeile " + std::to_string(id) + ": Füllstand " + std::to_string(id % 7);
    switch (id % 50) {
        case 0:
            german = Null{};
            break;
        case 1:
            german = std::string();
            break;
        case 2:
            german = repeat("äöü", 255);
            break;
        case 3:
            german = repeatCyrillic(255);
            break;
        default:
            break;
    }
    Variant russian = "Ïðèâåò " + std::to_string(id) + (id % 11 == 0 ? " €" : "");
    if (id % 13 == 0) {
        russian = Null{};
    }
    Variant french = "L'\"entrée\" n°" + std::to_string(id) + (id % 17 == 0 ? "\r\nsuite" : "");
    return {std::int32_t(id), description, german, russian, french};
}

// The exchange file as the export writes it: rows appended, then half of them grown past their
// slots and the others shrunk; `compacted` then rewrites it as the export finishes it.
void exportScenario(const std::string& name, bool compacted) {
    const std::string path = copyFixture("jet/ExportMemo.mdb", name + ".mdb");
    auto database = dao::DBEngine().OpenDatabase(path);
    addLanguageColumns(database, {1031, 1049, 1036});
    Rows expected;
    {
        auto records = database.OpenRecordset("TidxTexts");
        for (int id = 0; id < 3000; ++id) {
            expected.push_back(exportRow(id));
            records.AddNew();
            for (std::size_t i = 0; i < expected.back().size(); ++i) {
                records.Fields().Item(i).SetValue(expected.back()[i]);
            }
            records.Update();
        }
        records.Close();
    }
    database.Close();

    database = dao::DBEngine().OpenDatabase(path);
    auto records = database.OpenRecordset("TidxTexts");
    records.MoveFirst();
    for (std::size_t row = 0; !records.Eof(); records.MoveNext(), ++row) {
        const Variant& german = records.Fields().Item("L1031").Value();
        if (isNull(german)) {
            continue;
        }
        const std::string text = std::get<std::string>(german);
        const std::string changed = row % 2 == 0
                                        ? text + " (geändert, jetzt deutlich länger als vorher)"
                                        : text.substr(0, text.size() / 3);
        records.Edit();
        records.Fields().Item("L1031").SetValue(changed);
        records.Update();
        expected[row][2] = changed;
    }
    records.Close();
    database.Close();
    if (compacted) {
        dao::DBEngine().CompactDatabase(path);
    }

    require(readRows(path, "TidxTexts") == expected, name + ": read-back differs");
    writeRowsCsv(outDir + "/" + name + ".TidxTexts.expected.csv",
                 {"ID", "Description", "L1031", "L1049", "L1036"}, expected);
    writeSchema(outDir + "/" + name + ".schema.txt", "TidxTexts",
                {{"ID", "Long", "4"},
                 {"Description", "Memo", "0"},
                 {"L1031", "Text", "255"},
                 {"L1049", "Text", "255"},
                 {"L1036", "Text", "255"}});
}

void grownScenario() {
    const std::string path = copyFixture("jet/Demo.tvs", "grown.tvs");
    Rows expected = readRows(path, "TidxTexts");
    auto database = dao::DBEngine().OpenDatabase(path);
    addLanguageColumns(database, {1040});
    database.Close();
    for (auto& row : expected) {
        row.push_back(Null{});
    }
    require(readRows(path, "TidxTexts") == expected, "grown: read-back differs");
    writeRowsCsv(outDir + "/grown.TidxTexts.expected.csv",
                 {"ID", "Description", "L1031", "L1033", "L1049", "L1036", "Remark", "L1040"},
                 expected);
}

std::string wideName(int i) {
    return "Sprachspalte_" + std::to_string(i) + "_" + std::string(40, 'x');
}

void wideScenario() {
    const std::string path = copyFixture("jet/Export.mdb", "wide.mdb");
    auto database = dao::DBEngine().OpenDatabase(path);
    dao::TableDef table = database.TableDefs().Item("TidxTexts");
    std::vector<std::string> header{"ID", "Description"};
    for (int i = 0; i < 40; ++i) {
        dao::Field field = table.CreateField(wideName(i), 10, 100);
        table.Fields().Append(field);
        header.push_back(wideName(i));
    }
    const auto definition = jet::JetDatabase::open(path)->table("TidxTexts");
    require(!definition->continuationPages.empty(), "wide: the definition still fits one page");

    Rows expected;
    auto records = database.OpenRecordset("TidxTexts");
    for (int id = 0; id < 60; ++id) {
        std::vector<Variant> row{std::int32_t(id), std::string("Zeile ") + std::to_string(id)};
        records.AddNew();
        records.Fields().Item("ID").SetValue(row[0]);
        records.Fields().Item("Description").SetValue(row[1]);
        for (int i = 0; i < 40; ++i) {
            row.push_back(i % 3 == id % 3 ? Variant(wideName(i) + " " + std::to_string(id))
                                          : Variant(Null{}));
            records.Fields().Item(wideName(i)).SetValue(row.back());
        }
        records.Update();
        expected.push_back(std::move(row));
    }
    records.Close();
    database.Close();
    require(readRows(path, "TidxTexts") == expected, "wide: read-back differs");
    writeRowsCsv(outDir + "/wide.TidxTexts.expected.csv", header, expected);
}

// A small exchange database: the template with one language column and 200 rows.
std::vector<std::uint8_t> faultBase(Rows& rows) {
    const std::string path = copyFixture("jet/ExportMemo.mdb", "fault-base.tmp");
    auto database = dao::DBEngine().OpenDatabase(path);
    addLanguageColumns(database, {1031});
    auto records = database.OpenRecordset("TidxTexts");
    for (int id = 0; id < 200; ++id) {
        rows.push_back({std::int32_t(id), std::string("Beschreibung ") + std::to_string(id),
                        std::string("Text ") + std::to_string(id)});
        records.AddNew();
        for (std::size_t i = 0; i < rows.back().size(); ++i) {
            records.Fields().Item(i).SetValue(rows.back()[i]);
        }
        records.Update();
    }
    records.Close();
    database.Close();
    auto bytes = readBytes(path);
    fs::remove(path);
    return bytes;
}

// Runs `operation` on the base bytes with page writes failing after each N in turn, and writes
// every result as a scenario; returns how many page writes the complete operation took.
int faultScenarios(const std::string& name, const std::vector<std::uint8_t>& base,
                   const std::function<void(const std::shared_ptr<jet::JetDatabase>&)>& operation,
                   const std::function<void(const std::string&, const Rows&, bool)>& expect) {
    for (int failAfter = 0;; ++failAfter) {
        auto store = std::make_unique<FailingStore>(base, failAfter);
        FailingStore& failing = *store;
        bool completed = false;
        const std::string file = name + "-" + std::to_string(failAfter);
        {
            auto database = jet::JetDatabase::open(std::move(store), name + ".mdb");
            try {
                operation(database);
                database->channel().flushAll();
                completed = true;
            } catch (const Error& error) {
                require(failing.failed(), name + ": unexpected error " + error.what());
            }
            writeBytes(outDir + "/" + file + ".mdb", failing.bytes());
        }
        expect(file, readRows(outDir + "/" + file + ".mdb", "TidxTexts"), completed);
        if (completed) {
            return failAfter;
        }
    }
}

void faultUpdateScenarios() {
    Rows rows;
    const auto base = faultBase(rows);
    const std::size_t target = 57;
    const std::vector<Variant> updated{std::int32_t(57), repeat("Neue lange Beschreibung. ", 9000),
                                       std::string("Text 57, jetzt viel länger als zuvor")};
    const int writes = faultScenarios(
        "fault-update", base,
        [&](const std::shared_ptr<jet::JetDatabase>& database) {
            auto cursor = database->rows(database->table("TidxTexts"));
            while (cursor.next() && cursor.value(0) != Variant(std::int32_t(57))) {
            }
            jet::TableWriter writer(database, "TidxTexts");
            writer.updateRow(cursor.position(), {std::nullopt, updated[1], updated[2]});
        },
        [&](const std::string& file, const Rows& got, bool completed) {
            Rows atleast = rows;
            atleast.erase(atleast.begin() + target);
            const Rows maybe{rows[target], updated};
            const auto before = std::count(got.begin(), got.end(), rows[target]);
            const auto after = std::count(got.begin(), got.end(), updated);
            require(got.size() == rows.size() && before + after == 1,
                    file + ": the changed row is missing or doubled");
            require(!completed || after == 1, file + ": the change is missing");
            for (const auto& row : atleast) {
                require(std::find(got.begin(), got.end(), row) != got.end(),
                        file + ": a row is lost");
            }
            writeRowsCsv(outDir + "/" + file + ".TidxTexts.atleast.csv",
                         {"ID", "Description", "L1031"}, atleast);
            writeRowsCsv(outDir + "/" + file + ".TidxTexts.maybe.csv",
                         {"ID", "Description", "L1031"}, maybe);
        });
    std::cout << "row update: " << writes << " page writes\n";
}

void faultAppendScenarios() {
    Rows rows;
    auto base = faultBase(rows);
    // Widen the definition past one page first, so that the addition rewrites several pages.
    {
        const std::string path = outDir + "/fault-wide-base.tmp";
        writeBytes(path, base);
        auto database = jet::JetDatabase::open(path);
        for (int i = 0; i < 30; ++i) {
            jet::addTextColumn(database, "TidxTexts", {wideName(i), 50, true});
        }
        database->channel().flushAll();
        database.reset();
        base = readBytes(path);
        fs::remove(path);
    }
    std::vector<std::string> header{"ID", "Description", "L1031"};
    for (int i = 0; i < 30; ++i) {
        header.push_back(wideName(i));
        for (auto& row : rows) {
            row.push_back(Null{});
        }
    }
    const int writes = faultScenarios(
        "fault-append", base,
        [](const std::shared_ptr<jet::JetDatabase>& database) {
            jet::addTextColumn(database, "TidxTexts", {"L1049", 255, true});
        },
        [&](const std::string& file, const Rows& got, bool completed) {
            Rows expected = rows;
            std::vector<std::string> columns = header;
            const bool added = !got.empty() && got.front().size() == header.size() + 1;
            require(added || !completed, file + ": the column is missing");
            if (added) {
                columns.push_back("L1049");
                for (auto& row : expected) {
                    row.push_back(Null{});
                }
            }
            require(got == expected, file + ": rows differ");
            writeRowsCsv(outDir + "/" + file + ".TidxTexts.atleast.csv", columns, expected);
        });
    std::cout << "column addition: " << writes << " page writes\n";
}

}  // namespace
}  // namespace glossel::test

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: jet_write_scenarios DATA_DIR OUT_DIR\n";
        return 2;
    }
    glossel::test::dataDir = argv[1];
    glossel::test::outDir = argv[2];
    std::filesystem::remove_all(argv[2]);
    std::filesystem::create_directories(argv[2]);
    try {
        glossel::test::exportScenario("export", false);
        glossel::test::exportScenario("compacted", true);
        glossel::test::grownScenario();
        glossel::test::wideScenario();
        glossel::test::faultUpdateScenarios();
        glossel::test::faultAppendScenarios();
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
