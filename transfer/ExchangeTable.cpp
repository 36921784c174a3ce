// The two kinds of exchange table: a worksheet read through the workbook engine, a database table
// read through DAO.
#include "transfer/ExchangeTable.h"

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"
#include "platform/dao/DBEngine.h"
#include "platform/spreadsheet/CellNames.h"
#include "platform/spreadsheet/FileAccess.h"
#include "platform/systools/SysTools.h"
#include "transfer/ExchangeKinds.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

// The workbook is read for this table alone, past the engine's cache of open workbooks, so that
// its memory is given back as soon as the texts are taken.
class WorksheetTable : public ExchangeTable {
public:
    WorksheetTable(const std::string& path, spreadsheet::WorkbookReader reader)
        : workbook_(
              reader(std::move(spreadsheet::readWholeFile(nativePath(path), path).bytes), path)),
          sheet_(&chooseSheet()) {
        for (std::uint32_t column = 0; column < sheet_->columnCount(); ++column) {
            const spreadsheet::CellValue header =
                sheet_->rowCount() > 0 ? sheet_->cell(0, column) : spreadsheet::CellValue{};
            const auto* text = std::get_if<std::string>(&header);
            names_.push_back(text ? *text : std::string());
        }
    }
    const std::vector<std::string>& columnNames() const override { return names_; }
    bool next() override { return ++row_ < sheet_->rowCount(); }
    spreadsheet::CellValue cell(std::size_t column) override {
        return sheet_->cell(row_, static_cast<std::uint32_t>(column));
    }
    bool holdsFormula(std::size_t column) const override {
        return sheet_->holdsFormula(row_, static_cast<std::uint32_t>(column));
    }
    std::string place() const override { return "Zeile " + std::to_string(row_ + 1); }
    bool holdsExportFillerRow() const override { return true; }
    std::string cellPlace(std::size_t column) const override {
        return "Zelle " + spreadsheet::columnName(static_cast<std::uint32_t>(column)) +
               std::to_string(row_ + 1);
    }

private:
    spreadsheet::Worksheet& chooseSheet() {
        const std::vector<std::string> names = workbook_->worksheetNames();
        for (const std::string& name : names) {
            if (sameName(name, kExchangeTable)) {
                return workbook_->worksheet(name);
            }
        }
        if (names.empty()) {
            throw Error(
                err::kInputTableNotFound,
                "Die Arbeitsmappe '" + nativePath(workbook_->path()) + "' hat kein Tabellenblatt.");
        }
        return workbook_->worksheet(std::size_t{0});
    }

    std::unique_ptr<spreadsheet::Workbook> workbook_;
    spreadsheet::Worksheet* sheet_;
    std::vector<std::string> names_;
    std::uint32_t row_ = 0;  // the header; data rows follow
};

spreadsheet::CellValue cellOf(const Variant& value) {
    return std::visit(
        [](const auto& v) -> spreadsheet::CellValue {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Null>) {
                return spreadsheet::Empty{};
            } else if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, bool>) {
                return v;
            } else if constexpr (std::is_arithmetic_v<T>) {
                return static_cast<double>(v);
            } else if constexpr (std::is_same_v<T, Currency>) {
                return static_cast<double>(v.tenThousandths) / 10000.0;
            } else {
                return spreadsheet::CellError::Value;
            }
        },
        value);
}

class DatabaseTable : public ExchangeTable {
public:
    explicit DatabaseTable(const std::string& path)
        : database_(dao::DBEngine().OpenDatabase(path)),
          records_(database_.OpenRecordset(chooseTable(path))) {
        for (const dao::Field& field : records_.Fields()) {
            names_.push_back(field.Name());
        }
    }
    ~DatabaseTable() override {
        try {
            database_.Close();
        } catch (const Error&) {
        }
    }

    const std::vector<std::string>& columnNames() const override { return names_; }
    bool next() override {
        if (record_ == 0) {
            try {
                records_.MoveFirst();
            } catch (const Error& error) {
                if (error.number() != err::kNoCurrentRecord) {
                    throw;
                }
                return false;
            }
        } else {
            records_.MoveNext();
        }
        ++record_;
        return !records_.Eof();
    }
    spreadsheet::CellValue cell(std::size_t column) override {
        return cellOf(records_.Fields().Item(column).Value());
    }
    bool holdsFormula(std::size_t) const override { return false; }
    std::string place() const override { return "Datensatz " + std::to_string(record_); }
    std::string cellPlace(std::size_t column) const override {
        return "Feld " + names_[column] + " im Datensatz " + std::to_string(record_);
    }
    bool holdsExportFillerRow() const override { return false; }

private:
    std::string chooseTable(const std::string& path) {
        std::vector<std::string> tables;
        for (std::size_t i = 0; i < database_.TableDefs().Count(); ++i) {
            tables.push_back(database_.TableDefs().Item(i).Name());
        }
        for (const std::string& table : tables) {
            if (sameName(table, kExchangeTable)) {
                return table;
            }
        }
        if (tables.size() != 1) {
            std::string found;
            for (const std::string& table : tables) {
                found += (found.empty() ? "'" : ", '") + table + "'";
            }
            throw Error(err::kInputTableNotFound,
                        "Die Datenbank '" + nativePath(path) +
                            "' hat keine Tabelle 'TidxTexts' und nicht genau eine andere (" +
                            (found.empty() ? std::string("keine Tabellen") : "Tabellen " + found) +
                            ").");
        }
        return tables.front();
    }

    dao::Database database_;
    dao::Recordset records_;
    std::vector<std::string> names_;
    std::size_t record_ = 0;
};

}  // namespace

std::unique_ptr<ExchangeTable> openExchangeTable(const std::string& path) {
    const ExchangeKind* kind = exchangeKindOf(systools::SysTools().FileTools().GetExtension(path));
    if (!kind) {
        throw Error(err::kNoFieldsDefined, "Die Datei '" + nativePath(path) +
                                               "' ist keine Austauschdatei; eine Austauschdatei "
                                               "endet auf " +
                                               exchangeExtensionsText() + ".");
    }
    if (kind->isWorkbook()) {
        return std::make_unique<WorksheetTable>(path, kind->reader);
    }
    return std::make_unique<DatabaseTable>(path);
}

}  // namespace glossel::transfer
