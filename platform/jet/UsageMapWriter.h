// Adding pages to and removing them from a usage map (see UsageMap.h for the layout). An inline
// map whose window cannot take the page moves its window when all its pages fit, and otherwise
// becomes a reference map; new bitmap pages are written before the map row refers to them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/jet/PageChannel.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

void addToUsageMap(PageChannel& channel, RowId map, std::uint32_t page, const std::string& table);
void removeFromUsageMap(PageChannel& channel, RowId map, std::uint32_t page,
                        const std::string& table);

}  // namespace glossel::jet
