// Worksheets as DAO tables.
#include "platform/dao/WorkbookBackend.h"

#include <algorithm>
#include <charconv>

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"

namespace glossel::dao {
namespace {

constexpr char kSheetSuffix = '$';
constexpr std::uint8_t kTextType = 10;
constexpr std::uint16_t kTextSize = 255;

using SharedHandle = std::shared_ptr<spreadsheet::WorkbookHandle>;

std::string headerName(const spreadsheet::CellValue& cell, std::uint32_t column) {
    if (const auto* text = std::get_if<std::string>(&cell); text && !text->empty()) {
        return *text;
    }
    if (const auto* number = std::get_if<double>(&cell)) {
        char buffer[64];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, *number);
        return std::string(buffer, error == std::errc() ? end : buffer);
    }
    return "F" + std::to_string(column + 1);
}

std::vector<FieldInfo> sheetFields(const spreadsheet::Worksheet& sheet, bool firstRowHoldsNames) {
    std::vector<FieldInfo> fields;
    for (std::uint32_t column = 0; column < sheet.columnCount(); ++column) {
        const std::string name = firstRowHoldsNames && sheet.rowCount() > 0
                                     ? headerName(sheet.cell(0, column), column)
                                     : "F" + std::to_string(column + 1);
        fields.push_back({name, kTextType, kTextSize, true, false});
    }
    return fields;
}

class WorksheetRecordSource : public RecordSource {
public:
    WorksheetRecordSource(SharedHandle handle, spreadsheet::Worksheet& sheet, std::string name,
                    bool firstRowHoldsNames)
        : handle_(std::move(handle)),
          sheet_(sheet),
          name_(std::move(name)),
          firstRecordRow_(firstRowHoldsNames ? 1 : 0),
          fields_(sheetFields(sheet, firstRowHoldsNames)) {
        rewind();
    }

    const std::string& name() const override { return name_; }
    const std::vector<FieldInfo>& fields() const override { return fields_; }
    void rewind() override { nextRow_ = firstRecordRow_; }

    bool next() override {
        handle_->workbook();  // error 3420 once the workbook is closed
        if (nextRow_ >= sheet_.rowCount()) {
            return false;
        }
        row_ = nextRow_++;
        values_.assign(fields_.size(), std::nullopt);
        return true;
    }

    const Variant& value(std::size_t field) override {
        auto& value = values_.at(field);
        if (!value) {
            value = spreadsheet::toVariant(sheet_.cell(row_, static_cast<std::uint32_t>(field)));
        }
        return *value;
    }

    void append(const std::vector<Variant>& values) override {
        std::vector<spreadsheet::CellValue> cells;
        for (const auto& value : values) {
            cells.push_back(spreadsheet::fromVariant(value));
        }
        sheet_.appendRow(cells);
    }

    void appendFrom(RecordSource& source,
                    const std::vector<std::pair<std::size_t, std::size_t>>& mapping) override {
        std::vector<spreadsheet::CellValue> cells(fields_.size(), spreadsheet::Empty{});
        for (const auto& [from, to] : mapping) {
            cells[to] = spreadsheet::fromVariant(source.value(from));
        }
        sheet_.appendRow(cells);
    }

    void update(const std::vector<std::optional<Variant>>& changes) override {
        for (std::uint32_t column = 0; column < changes.size(); ++column) {
            if (changes[column]) {
                sheet_.setCell(row_, column, spreadsheet::fromVariant(*changes[column]));
                values_[column].reset();
            }
        }
    }

private:
    SharedHandle handle_;
    spreadsheet::Worksheet& sheet_;
    std::string name_;
    std::uint32_t firstRecordRow_;
    std::vector<FieldInfo> fields_;
    std::uint32_t nextRow_ = 0;
    std::uint32_t row_ = 0;
    std::vector<std::optional<Variant>> values_;
};

class WorkbookBackend : public DatabaseBackend {
public:
    WorkbookBackend(SharedHandle handle, bool firstRowHoldsNames)
        : handle_(std::move(handle)),
          name_((*handle_)->path()),
          firstRowHoldsNames_(firstRowHoldsNames) {}

    const std::string& name() const override { return name_; }

    std::vector<std::string> tableNames() const override {
        std::vector<std::string> names = (*handle_)->worksheetNames();
        for (auto& name : names) {
            name += kSheetSuffix;
        }
        return names;
    }

    std::vector<FieldInfo> fieldsOf(const std::string& table) const override {
        return sheetFields(sheetOf(table, err::kItemNotFound), firstRowHoldsNames_);
    }

    std::unique_ptr<RecordSource> openTable(const std::string& table) const override {
        spreadsheet::Worksheet& sheet = sheetOf(table, err::kInputTableNotFound);
        return std::make_unique<WorksheetRecordSource>(handle_, sheet, table, firstRowHoldsNames_);
    }

    void appendTextField(const std::string& table, const std::string&, std::uint16_t,
                         bool) override {
        throw Error(err::kInvalidOperation, "Unzulässige Operation: an das Tabellenblatt '" +
                                                table + "' kann kein Feld angefügt werden.");
    }

    bool hasSavedLink(const std::string&) const override { return false; }

    void close() override { handle_->close(); }

private:
    spreadsheet::Worksheet& sheetOf(const std::string& table, int notFound) const {
        if (!table.empty() && table.back() == kSheetSuffix) {
            const std::string sheet = table.substr(0, table.size() - 1);
            const auto names = (*handle_)->worksheetNames();
            if (std::any_of(names.begin(), names.end(),
                            [&](const std::string& n) { return sameName(n, sheet); })) {
                return (*handle_)->worksheet(sheet);
            }
        }
        throw Error(notFound, "Die Tabelle '" + table + "' gibt es in der Arbeitsmappe '" +
                                  nativePath(name_) + "' nicht (Tabellenblätter heissen 'Name$').");
    }

    SharedHandle handle_;
    std::string name_;
    bool firstRowHoldsNames_;
};

}  // namespace

std::unique_ptr<DatabaseBackend> openWorkbookBackend(const std::string& path,
                                                     spreadsheet::WorkbookReader reader, bool exclusive,
                                                     bool firstRowHoldsNames) {
    auto handle = std::make_shared<spreadsheet::WorkbookHandle>(spreadsheet::openWorkbook(
        path, reader, exclusive ? spreadsheet::Access::Exclusive : spreadsheet::Access::Shared));
    return std::make_unique<WorkbookBackend>(std::move(handle), firstRowHoldsNames);
}

}  // namespace glossel::dao
