// Test helpers for database work: the error an action raises, and a table's rows as the DAO
// layer reads them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/Variant.h"

namespace glossel::test {

using Rows = std::vector<std::vector<Variant>>;

// The number of the glossel::Error that `action` raises; 0 when it raises none.
int errorNumberOf(const std::function<void()>& action);

// The glossel::Error that `action` raises; fails the test (and returns number 0) when it raises
// none.
Error errorOf(const std::function<void()>& action);

// Slots of the Jet 4 table's data pages that are overflow pointers or moved row data, read from
// the file's bytes.
int movedRowSlots(const std::string& path, const std::string& table);

// What page 1's global map (a window from page 0; a set bit marks a free page) says of the file:
// the pages from `from` to the end of the file it marks free, and the pages after the end it marks
// in use.
struct GlobalMapFaults {
    std::vector<std::uint32_t> freeButInFile;
    std::vector<std::uint32_t> usedAfterTheEnd;
};
GlobalMapFaults globalMapFaults(const std::string& path, std::uint32_t from);

// The first column's numbers (the IDs) in the order mdbtools walks the table's pages.
std::vector<int> idsAsMdbtoolsReadsThem(const std::string& path, const std::string& table);

// Every record of the table, every field, in storage order.
Rows readRows(const std::string& path, const std::string& table, const std::string& connect = "");

}  // namespace glossel::test
