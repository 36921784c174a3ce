// libFuzzer target: opens mutated bytes as a Jet database and reads every table of its catalogue
// to the end. Damage must surface as glossel::Error, never as a crash, hang or stray read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Error.h"
#include "platform/jet/JetDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glossel::jet;
    try {
        auto store = std::make_unique<MemoryStore>(std::vector<std::uint8_t>(data, data + size));
        const auto database = JetDatabase::open(std::move(store), "fuzz.mdb");
        for (const auto& entry : database->catalog()) {
            if (!entry.isLocalTable()) {
                continue;
            }
            try {
                const auto table = database->table(entry.name);
                auto cursor = database->rows(table);
                while (cursor.next()) {
                    for (std::size_t column = 0; column < table->columns.size(); ++column) {
                        cursor.value(column);
                    }
                }
            } catch (const glossel::Error&) {
            }
        }
    } catch (const glossel::Error&) {
    }
    return 0;
}
