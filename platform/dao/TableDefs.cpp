// Table definitions over a database backend.
#include "platform/dao/TableDefs.h"

#include "platform/Error.h"
#include "platform/NameCompare.h"

namespace glossel::dao {
namespace {

constexpr std::int32_t kDbText = 10;

std::vector<Field> tableFields(const std::vector<FieldInfo>& infos) {
    std::vector<Field> fields;
    for (std::size_t i = 0; i < infos.size(); ++i) {
        fields.emplace_back(infos[i], nullptr, i);
    }
    return fields;
}

}  // namespace

TableDef::TableDef(std::shared_ptr<DatabaseBackend> backend, std::string name)
    : backend_(std::move(backend)),
      name_(std::move(name)),
      fields_(tableFields(backend_->fieldsOf(name_)), [backend = backend_,
                                                       table = name_](const Field& field) {
          backend->appendTextField(table, field.Name(), field.Size(), field.AllowZeroLength());
          return Field(
              FieldInfo{field.Name(), field.Type(), field.Size(), field.AllowZeroLength(), false},
              nullptr, 0);
      }) {}

Field TableDef::CreateField(const std::string& name, std::int32_t type, std::int16_t size) const {
    if (type != kDbText) {
        throw Error(3259, "Ungültiger Felddatentyp " + std::to_string(type) + " für das Feld '" +
                              name + "': nur Textfelder (10) können angefügt werden.");
    }
    if (size <= 0 || size > 255) {
        throw Error(err::kInvalidArgument, "Die Grösse " + std::to_string(size) +
                                               " des Textfelds '" + name +
                                               "' liegt nicht zwischen 1 und 255.");
    }
    return Field(name, static_cast<std::uint8_t>(type), static_cast<std::uint16_t>(size));
}

std::size_t TableDefs::Count() const {
    return backend_->tableNames().size();
}

TableDef TableDefs::Item(std::size_t index) const {
    const auto names = backend_->tableNames();
    if (index >= names.size()) {
        throw Error(err::kItemNotFound,
                    "Element " + std::to_string(index) + " in dieser Auflistung nicht gefunden.");
    }
    return TableDef(backend_, names[index]);
}

TableDef TableDefs::Item(const std::string& name) const {
    for (const auto& tableName : backend_->tableNames()) {
        if (sameName(tableName, name)) {
            return TableDef(backend_, tableName);
        }
    }
    throw Error(err::kItemNotFound, "Element '" + name +
                                        "' in dieser Auflistung nicht gefunden (Datenbank '" +
                                        backend_->name() + "').");
}

}  // namespace glossel::dao
