// libFuzzer target: opens mutated bytes as a Jet database, changes its first user table as an
// export does (a new text column, a new row, a longer text), writes the pages back and reads
// the result again. Damage must surface as glossel::Error, never as a crash or hang.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Error.h"
#include "platform/jet/ColumnAdder.h"
#include "platform/jet/JetDatabase.h"
#include "platform/jet/TableWriter.h"

namespace {

using namespace glossel;

std::vector<std::uint8_t> changeFirstTable(std::vector<std::uint8_t> bytes) {
    auto store = std::make_unique<jet::MemoryStore>(std::move(bytes));
    jet::MemoryStore& memory = *store;
    const auto database = jet::JetDatabase::open(std::move(store), "fuzz.mdb");
    const auto names = database->userTableNames();
    if (names.empty()) {
        return {};
    }
    jet::addTextColumn(database, names.front(), {"Lfuzz", 255, true});
    jet::TableWriter writer(database, names.front());
    std::vector<Variant> row(writer.definition().columns.size(), Null{});
    row.back() = std::string("neu");
    writer.appendRow(row);
    auto cursor = database->rows(database->table(names.front()));
    if (cursor.next()) {
        std::vector<std::optional<Variant>> changes(row.size());
        changes.back() = std::string(200, 'z');
        writer.updateRow(cursor.position(), changes);
    }
    database->channel().flushAll();
    return memory.bytes();
}

void readEverything(std::vector<std::uint8_t> bytes) {
    const auto database =
        jet::JetDatabase::open(std::make_unique<jet::MemoryStore>(std::move(bytes)), "fuzz.mdb");
    for (const auto& name : database->userTableNames()) {
        const auto table = database->table(name);
        auto cursor = database->rows(table);
        while (cursor.next()) {
            for (std::size_t column = 0; column < table->columns.size(); ++column) {
                cursor.value(column);
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto written = changeFirstTable(std::vector<std::uint8_t>(data, data + size));
        if (!written.empty()) {
            readEverything(written);
        }
    } catch (const glossel::Error&) {
    }
    return 0;
}
