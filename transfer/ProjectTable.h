// The project's text table as the import and the XLIFF export read it, row by row through the Jet
// engine: where its ID column is, and a row's ID.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/Variant.h"
#include "platform/jet/JetDatabase.h"

namespace glossel::transfer {

// The index of TidxTexts' column ID (letter case ignored). Error 3265 naming the project when
// the table has none.
std::size_t idColumnOf(const jet::JetDatabase& project, const jet::TableDefinition& table);

// The index of a column of exactly that name, if the table has one.
std::optional<std::size_t> columnNamed(const jet::TableDefinition& table, const std::string& name);

// A row's ID as a whole number; nullopt for Null and values that are no number.
std::optional<std::int64_t> idOf(const Variant& value);

}  // namespace glossel::transfer
