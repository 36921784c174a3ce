// Columns and IDs of the project's text table.
#include "transfer/ProjectTable.h"

#include <type_traits>

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"

namespace glossel::transfer {

std::size_t idColumnOf(const jet::JetDatabase& project, const jet::TableDefinition& table) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (sameName(table.columns[i].name, "ID")) {
            return i;
        }
    }
    throw Error(err::kItemNotFound, "Die Tabelle TidxTexts des Projekts '" +
                                        nativePath(project.path()) + "' hat keine Spalte ID.");
}

std::optional<std::size_t> columnNamed(const jet::TableDefinition& table, const std::string& name) {
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (table.columns[i].name == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::int64_t> idOf(const Variant& value) {
    return std::visit(
        [](const auto& v) -> std::optional<std::int64_t> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
                return static_cast<std::int64_t>(v);
            } else if constexpr (std::is_floating_point_v<T>) {
                return static_cast<std::int64_t>(v);
            } else {
                return std::nullopt;
            }
        },
        value);
}

}  // namespace glossel::transfer
