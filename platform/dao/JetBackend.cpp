// Jet tables as DAO sees them.
#include "platform/dao/JetBackend.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"
#include "platform/jet/ColumnAdder.h"
#include "platform/jet/ColumnRules.h"
#include "platform/jet/PageAllocator.h"
#include "platform/jet/TableWriter.h"

namespace glossel::dao {
namespace {

std::vector<FieldInfo> fieldInfos(const jet::JetDatabase& database,
                                  const jet::TableDefinition& table) {
    const auto rules = jet::readColumnRules(database, table);
    std::vector<FieldInfo> fields;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const auto& column = table.columns[i];
        const bool twoBytesPerCharacter =
            database.format().textIsUnicode() && column.type == jet::column_type::kText;
        const bool text =
            column.type == jet::column_type::kText || column.type == jet::column_type::kMemo;
        fields.push_back(
            {column.name, column.type,
             static_cast<std::uint16_t>(twoBytesPerCharacter ? column.length / 2 : column.length),
             text && rules[i].allowZeroLength, rules[i].required});
    }
    return fields;
}

class JetRecordSource : public RecordSource {
public:
    JetRecordSource(std::shared_ptr<const jet::JetDatabase> database,
                    std::shared_ptr<const jet::TableDefinition> table)
        : database_(std::move(database)),
          table_(std::move(table)),
          fields_(fieldInfos(*database_, *table_)),
          cursor_(database_->rows(table_)) {}

    const std::string& name() const override { return table_->name; }
    const std::vector<FieldInfo>& fields() const override { return fields_; }
    void rewind() override { cursor_ = database_->rows(table_); }
    bool next() override { return cursor_.next(); }
    const Variant& value(std::size_t field) override { return cursor_.value(field); }

    void append(const std::vector<Variant>& values) override { writer().appendRow(values); }

    // Texts of another Jet 4 table that this one stores alike are taken over without decoding.
    void appendFrom(RecordSource& source,
                    const std::vector<std::pair<std::size_t, std::size_t>>& mapping) override {
        auto* jetSource = dynamic_cast<JetRecordSource*>(&source);
        jet::TableWriter& tableWriter = writer();
        std::vector<Variant> values(fields_.size(), Null{});
        std::vector<const jet::StoredField*> storedTexts(fields_.size(), nullptr);
        for (const auto& [from, to] : mapping) {
            const jet::StoredField* text =
                jetSource ? jetSource->cursor_.storedText(from) : nullptr;
            if (text && tableWriter.takesStoredText(to, *text)) {
                storedTexts[to] = text;
            } else {
                values[to] = source.value(from);
            }
        }
        tableWriter.appendRow(values, storedTexts);
    }

    // Values equal to the ones the cursor read are left out: a pass that rewrites every record
    // with mostly the same texts then neither encodes nor rereads them, and the writer need not
    // decode the others again to compare them.
    void update(const std::vector<std::optional<Variant>>& changes) override {
        jet::TableWriter& tableWriter = writer();
        const auto differs = [&](std::size_t i) {
            return changes[i] && (i >= fields_.size() || *changes[i] != cursor_.value(i));
        };
        std::size_t given = 0;
        std::size_t differing = 0;
        for (std::size_t i = 0; i < changes.size(); ++i) {
            given += changes[i] ? 1 : 0;
            differing += differs(i) ? 1 : 0;
        }
        if (differing == 0) {
            return;
        }
        if (differing == given) {
            tableWriter.updateRow(cursor_.position(), changes,
                                  jet::TableWriter::Changes::DifferFromStored);
        } else {
            std::vector<std::optional<Variant>> onlyDiffering(changes.size());
            for (std::size_t i = 0; i < changes.size(); ++i) {
                if (differs(i)) {
                    onlyDiffering[i] = changes[i];
                }
            }
            tableWriter.updateRow(cursor_.position(), onlyDiffering,
                                  jet::TableWriter::Changes::DifferFromStored);
        }
        cursor_.reread();
    }

private:
    jet::TableWriter& writer() {
        if (!writer_) {
            writer_.emplace(database_, table_->name);
        }
        return *writer_;
    }

    std::shared_ptr<const jet::JetDatabase> database_;
    std::shared_ptr<const jet::TableDefinition> table_;
    std::vector<FieldInfo> fields_;
    jet::TableCursor cursor_;
    std::optional<jet::TableWriter> writer_;
};

class JetBackend : public DatabaseBackend {
public:
    explicit JetBackend(std::shared_ptr<const jet::JetDatabase> database)
        : database_(std::move(database)) {}

    const std::string& name() const override { return database_->path(); }

    std::vector<std::string> tableNames() const override { return database_->userTableNames(); }

    std::vector<FieldInfo> fieldsOf(const std::string& table) const override {
        for (const auto& name : database_->userTableNames()) {
            if (sameName(name, table)) {
                return fieldInfos(*database_, *database_->table(name));
            }
        }
        throw Error(err::kItemNotFound, "Element '" + table +
                                            "' in dieser Auflistung nicht gefunden (Datenbank '" +
                                            nativePath(database_->path()) + "').");
    }

    std::unique_ptr<RecordSource> openTable(const std::string& table) const override {
        try {
            return std::make_unique<JetRecordSource>(database_, database_->table(table));
        } catch (const Error& error) {
            if (error.number() != err::kObjectNotFound) {
                throw;
            }
            throw Error(err::kInputTableNotFound, "Die Eingabetabelle oder -abfrage '" + table +
                                                      "' wurde in der Datenbank '" +
                                                      nativePath(database_->path()) +
                                                      "' nicht gefunden.");
        }
    }

    void appendTextField(const std::string& table, const std::string& field, std::uint16_t size,
                         bool allowZeroLength) override {
        jet::addTextColumn(database_, table, {field, size, allowZeroLength});
    }

    bool hasSavedLink(const std::string& name) const override {
        const auto catalog = database_->catalog();
        return std::any_of(catalog.begin(), catalog.end(), [&](const jet::CatalogEntry& entry) {
            return !entry.isLocalTable() && sameName(entry.name, name);
        });
    }

    void close() override { jet::finishWriting(database_->channel()); }

private:
    std::shared_ptr<const jet::JetDatabase> database_;
};

}  // namespace

std::unique_ptr<DatabaseBackend> openJetBackend(const std::string& path) {
    return std::make_unique<JetBackend>(jet::JetDatabase::open(path));
}

}  // namespace glossel::dao
