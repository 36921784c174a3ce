// Reading the IDs and language texts of an exchange file, cell kind by cell kind.
#include "transfer/ExchangeTexts.h"

#include <charconv>
#include <cmath>

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/systools/SysTools.h"
#include "transfer/ExchangeKinds.h"
#include "transfer/ExchangeTable.h"
#include "transfer/TextTables.h"
#include "transfer/XliffExchangeTexts.h"

namespace glossel::transfer {
namespace {

constexpr char kIdColumn[] = "ID";
// The largest magnitude up to which a double holds every whole number.
constexpr double kWholeNumberLimit = 9007199254740992.0;

std::size_t idColumn(const ExchangeTable& table, const std::string& path) {
    const auto& names = table.columnNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameName(names[i], kIdColumn)) {
            return i;
        }
    }
    throw Error(err::kItemNotFound,
                "Die Austauschdatei '" + path + "' hat keine Spalte 'ID' in der ersten Zeile.");
}

std::optional<std::int32_t> languageOf(const std::string& name) {
    if (name.size() < 2 || name[0] != kLanguageColumnPrefix) {
        return std::nullopt;
    }
    std::int32_t lcid = 0;
    const auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), lcid);
    if (error != std::errc() || end != name.data() + name.size() ||
        languageColumnName(lcid) != name) {
        return std::nullopt;
    }
    return lcid;
}

bool isEmpty(const spreadsheet::CellValue& cell) {
    const auto* text = std::get_if<std::string>(&cell);
    return std::holds_alternative<spreadsheet::Empty>(cell) || (text && text->empty());
}

// A number as its plain text: whole numbers without a decimal point, others with "." and as many
// digits as the value needs.
std::string plainNumber(double number) {
    char buffer[400];
    const bool whole = std::trunc(number) == number && std::fabs(number) < kWholeNumberLimit;
    const auto [end, error] =
        whole ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(number))
              : std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    return std::string(buffer, error == std::errc() ? end : buffer);
}

std::optional<std::int64_t> wholeNumber(const spreadsheet::CellValue& cell) {
    if (const auto* number = std::get_if<double>(&cell)) {
        if (std::trunc(*number) == *number && std::fabs(*number) < kWholeNumberLimit) {
            return static_cast<std::int64_t>(*number);
        }
        return std::nullopt;
    }
    if (const auto* text = std::get_if<std::string>(&cell)) {
        std::int64_t id = 0;
        const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), id);
        if (error == std::errc() && end == text->data() + text->size() && !text->empty() &&
            (*text)[0] != '+') {
            return id;
        }
    }
    return std::nullopt;
}

std::optional<std::string> textOf(spreadsheet::CellValue&& cell, const ExchangeTable& table,
                                  std::size_t column) {
    if (isEmpty(cell)) {
        return std::nullopt;
    }
    if (auto* text = std::get_if<std::string>(&cell)) {
        return std::move(*text);
    }
    if (const auto* number = std::get_if<double>(&cell)) {
        return plainNumber(*number);
    }
    const std::string shown =
        std::holds_alternative<bool>(cell)
            ? (std::get<bool>(cell) ? "WAHR" : "FALSCH")
            : std::string(spreadsheet::errorText(std::get<spreadsheet::CellError>(cell)));
    throw Error(err::kTypeMismatch, "Die " + table.cellPlace(column) + " der Austauschdatei hält " +
                                        shown + " statt eines Textes.");
}

// The row a workbook export writes under the header: ID 0 and every other cell empty.
bool isExportFillerRow(ExchangeTable& table, std::size_t id, std::int64_t value) {
    if (value != 0) {
        return false;
    }
    for (std::size_t column = 0; column < table.columnNames().size(); ++column) {
        if (column != id && !isEmpty(table.cell(column))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool isXliffExchange(const std::string& path) {
    const ExchangeKind* kind = exchangeKindOf(systools::SysTools().FileTools().GetExtension(path));
    return kind && kind->xliff;
}

std::vector<std::int32_t> exchangeLanguages(const std::string& path) {
    if (isXliffExchange(path)) {
        return xliffLanguages(path);
    }
    const std::unique_ptr<ExchangeTable> table = openExchangeTable(path);
    idColumn(*table, path);
    std::vector<std::int32_t> lcids;
    for (const std::string& name : table->columnNames()) {
        if (const auto lcid = languageOf(name)) {
            lcids.push_back(*lcid);
        }
    }
    return lcids;
}

std::vector<ExchangeRow> readExchangeTexts(const std::string& path,
                                           const std::vector<std::int32_t>& lcids) {
    if (isXliffExchange(path)) {
        return readXliffTexts(path, lcids);
    }
    const std::unique_ptr<ExchangeTable> table = openExchangeTable(path);
    const std::size_t id = idColumn(*table, path);
    std::vector<std::size_t> columns;
    for (const std::int32_t lcid : lcids) {
        const auto& names = table->columnNames();
        std::size_t found = names.size();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (languageOf(names[i]) == lcid) {
                found = i;
                break;
            }
        }
        if (found == names.size()) {
            throw Error(err::kItemNotFound, "Die Austauschdatei '" + path + "' hat keine Spalte " +
                                                languageColumnName(lcid) +
                                                "; es wird nichts importiert.");
        }
        columns.push_back(found);
    }
    std::vector<ExchangeRow> rows;
    while (table->next()) {
        const spreadsheet::CellValue idCell = table->cell(id);
        if (isEmpty(idCell)) {
            continue;
        }
        const std::optional<std::int64_t> value = wholeNumber(idCell);
        if (!value) {
            throw Error(err::kTypeMismatch, "Die ID in " + table->place() +
                                                " der Austauschdatei ist keine ganze Zahl.");
        }
        if (table->holdsExportFillerRow() && isExportFillerRow(*table, id, *value)) {
            continue;
        }
        ExchangeRow row;
        row.id = *value;
        row.place = table->place();
        for (const std::size_t column : columns) {
            spreadsheet::CellValue cell = table->cell(column);
            if (table->holdsFormula(column) && !std::holds_alternative<std::string>(cell)) {
                row.formulasWithoutText.push_back(row.texts.size());
                row.texts.emplace_back();
            } else {
                row.texts.push_back(textOf(std::move(cell), *table, column));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace glossel::transfer
