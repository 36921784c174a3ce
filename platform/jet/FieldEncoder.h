// Values into stored fields, with the rules Jet applies: conversion between value kinds where
// Jet converts, size, range, Required and AllowZeroLength. Nothing is cut or dropped silently:
// a value that does not fit is an error naming the table, the column and the row's key.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Variant.h"
#include "platform/jet/ColumnRules.h"
#include "platform/jet/RowFields.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

// Says where a value goes, like "Tabelle 'T', Spalte 'C', Datensatz ID=5", for error texts; only
// called when there is an error to report.
using Describe = std::function<std::string()>;

// The stored form of `value` for `column`. For memo and OLE columns the bytes are the long
// value's data, which the caller still has to write to LVAL pages (or inline).
StoredField encodeField(const ColumnDefinition& column, const Variant& value,
                        const ColumnRules& rules, const Describe& where);

}  // namespace glossel::jet
