// Test helpers for database work: the error number an action raises, and a table's rows as the
// DAO layer reads them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace glossel::test {

using Rows = std::vector<std::vector<Variant>>;

// The number of the glossel::Error that `action` raises; 0 when it raises none.
int errorNumberOf(const std::function<void()>& action);

// Every record of the table, every field, in storage order.
Rows readRows(const std::string& path, const std::string& table, const std::string& connect = "");

}  // namespace glossel::test
