// Adding a text column to a Jet 4 table, as Jet does it: the definition grows by one column entry
// and one name, the table's rows stay as they are (the new column reads as null in them), and the
// column's AllowZeroLength property is stored with the table's properties in the catalogue.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/jet/JetDatabase.h"

namespace glossel::jet {

struct NewTextColumn {
    std::string name;
    std::uint16_t size = 255;  // characters, 1 to 255
    bool allowZeroLength = false;
};

void addTextColumn(const std::shared_ptr<const JetDatabase>& database, const std::string& table,
                   const NewTextColumn& column);

}  // namespace glossel::jet
