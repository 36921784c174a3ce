// Table definitions over a database session.
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

TableDef::TableDef(std::string name) : name_(std::move(name)), fields_({}) {}

TableDef::TableDef(std::shared_ptr<DatabaseSession> session, std::string name)
    : name_(std::move(name)),
      fields_(tableFields(session->fieldsOf(name_)), [session, table = name_](const Field& field) {
          session->appendTextField(table, field.Name(), field.Size(), field.AllowZeroLength());
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
    return session_->tableNames().size();
}

TableDef TableDefs::Item(std::size_t index) const {
    const auto names = session_->tableNames();
    if (index >= names.size()) {
        throw Error(err::kItemNotFound,
                    "Element " + std::to_string(index) + " in dieser Auflistung nicht gefunden.");
    }
    return TableDef(session_, names[index]);
}

TableDef TableDefs::Item(const std::string& name) const {
    for (const auto& tableName : session_->tableNames()) {
        if (sameName(tableName, name)) {
            return TableDef(session_, tableName);
        }
    }
    throw Error(err::kItemNotFound, "Element '" + name +
                                        "' in dieser Auflistung nicht gefunden (Datenbank '" +
                                        session_->name() + "').");
}

void TableDefs::Append(const TableDef& definition) {
    session_->appendLink({definition.Name(), definition.Connect(), definition.SourceTableName()});
}

void TableDefs::Delete(const std::string& name) {
    session_->removeLink(name);
}

}  // namespace glossel::dao
