// Benchmark: an export's work on the exchange database. Copies the template, adds three language
// columns, appends 60,000 rows (ID, description, three 20-80 character texts) through DAO, then
// changes every text of one column, as the code-page repair does; prints both times and the size.
// Usage: jet_write_bench TEMPLATE.mdb TARGET.mdb
#include <chrono>
#include <filesystem>
#include <iostream>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"

namespace {

using namespace glossel;
using Clock = std::chrono::steady_clock;

constexpr int kRows = 60000;

std::string text(int row, int column) {
    std::string value = "Text " + std::to_string(row) + " Sprache " + std::to_string(column) + ":";
    const std::size_t length = 20 + static_cast<std::size_t>((row * 7 + column * 13) % 61);
    while (value.size() < length) {
        value += " Füllstand";
    }
    return value.substr(0, length);
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Aufruf: jet_write_bench VORLAGE.mdb ZIEL.mdb\n";
        return 2;
    }
    try {
        std::filesystem::copy_file(argv[1], argv[2],
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::permissions(argv[2], std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        auto start = Clock::now();
        auto database = dao::DBEngine().OpenDatabase(argv[2]);
        dao::TableDef table = database.TableDefs().Item("TidxTexts");
        for (const char* column : {"L1031", "L1033", "L1049"}) {
            dao::Field field = table.CreateField(column, 10, 255);
            field.SetAllowZeroLength(true);
            table.Fields().Append(field);
        }
        auto records = database.OpenRecordset("TidxTexts");
        for (int row = 0; row < kRows; ++row) {
            records.AddNew();
            records.Fields().Item("ID").SetValue(std::int32_t(row));
            records.Fields().Item("Description").SetValue("Beschreibung " + std::to_string(row));
            records.Fields().Item("L1031").SetValue(text(row, 1));
            records.Fields().Item("L1033").SetValue(text(row, 2));
            records.Fields().Item("L1049").SetValue(text(row, 3));
            records.Update();
        }
        records.Close();
        database.Close();
        std::cout << "append " << kRows << " rows: " << millisecondsSince(start) << " ms\n";

        start = Clock::now();
        database = dao::DBEngine().OpenDatabase(argv[2]);
        records = database.OpenRecordset("TidxTexts");
        records.MoveFirst();
        for (int row = 0; !records.Eof(); records.MoveNext(), ++row) {
            records.Edit();
            records.Fields().Item("L1049").SetValue(text(row + 1, 3));
            records.Update();
        }
        records.Close();
        database.Close();
        std::cout << "update " << kRows << " texts: " << millisecondsSince(start) << " ms\n";
        std::cout << "file size: " << std::filesystem::file_size(argv[2]) << " bytes\n";
    } catch (const Error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
