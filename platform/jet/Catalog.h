// The catalogue: the rows of MSysObjects (its definition is always on page 2) that name tables.
// Tables are the rows whose parent is the "Tables" container: type 1 local, 4 and 6 linked.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/jet/PageChannel.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

struct CatalogEntry {
    std::string name;
    std::int16_t type = 0;
    std::uint32_t id = 0;  // for a local table: the page of its definition
    std::uint32_t flags = 0;
    RowId row;         // the entry's own row in MSysObjects
    Bytes properties;  // LvProp: see PropertyBlob

    bool isLocalTable() const { return type == 1; }
    // MSys* tables carry 0x80000000, Access's own hidden tables 0x2.
    bool isSystemObject() const { return (flags & 0x80000002u) != 0; }
};

inline constexpr char kCatalogTable[] = "MSysObjects";
inline constexpr std::uint32_t kCatalogPage = 2;

// The catalogue's table entries, in storage order.
std::vector<CatalogEntry> readCatalog(const std::shared_ptr<const PageChannel>& channel,
                                      std::uint16_t codePage);

}  // namespace glossel::jet
