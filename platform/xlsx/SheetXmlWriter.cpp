// Writing a worksheet part: the head as read with its <dimension> brought up to date, the cell
// table from the row table, and the tail as read.
#include <algorithm>
#include <charconv>
#include <limits>

#include "platform/spreadsheet/CellNames.h"
#include "platform/xlsx/SheetXml.h"
#include "platform/xlsx/XmlText.h"
#include "platform/xml/XmlEscape.h"

namespace glossel::xlsx {
namespace {

// Rows and cells put into the part's text, with the part's element prefix.
class CellTableWriter {
public:
    CellTableWriter(PieceWriter& pieces, const SheetPart& part,
                    const spreadsheet::StringTable& strings,
                    const std::vector<std::uint32_t>& entryNumbers)
        : pieces_(pieces), out_(pieces.text), part_(part), strings_(strings),
          entryNumbers_(entryNumbers) {}

    void element(std::string_view name) {
        out_ += '<';
        out_ += part_.prefix;
        out_ += name;
    }
    void closing(std::string_view name) {
        out_ += "</";
        out_ += part_.prefix;
        out_ += name;
        out_ += '>';
    }
    void number(double value) {
        char buffer[32];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
        out_.append(buffer, error == std::errc() ? end : buffer);
    }
    void unsignedNumber(std::uint64_t value) {
        char buffer[24];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
        out_.append(buffer, error == std::errc() ? end : buffer);
    }
    void value(std::string_view text) {
        element("v>");
        appendEscapedText(out_, text);
        closing("v");
    }

    void row(std::uint32_t number, const spreadsheet::Row<RowAttributes>& row) {
        element("row r=\"");
        unsignedNumber(std::uint64_t{number} + 1);
        out_ += '"';
        if (row.record) {
            out_ += row.record->xml;
        }
        if (row.cells.empty()) {
            out_ += "/>";
            return;
        }
        out_ += '>';
        for (const spreadsheet::Cell& cell : row.cells) {
            this->cell(number, cell);
        }
        closing("row");
        pieces_.handOnIfFull();
    }

    void cell(std::uint32_t row, const spreadsheet::Cell& cell) {
        element("c r=\"");
        out_ += spreadsheet::columnName(cell.column);
        unsignedNumber(std::uint64_t{row} + 1);
        out_ += '"';
        if (cell.xf != 0) {
            out_ += " s=\"";
            unsignedNumber(cell.xf);
            out_ += '"';
        }
        switch (cell.kind) {
            case spreadsheet::CellKind::Blank:
                out_ += "/>";
                return;
            case spreadsheet::CellKind::Number:
                out_ += '>';
                element("v>");
                number(cell.number);
                closing("v");
                break;
            case spreadsheet::CellKind::Text:
                text(strings_.text(cell.index), cell.index);
                break;
            case spreadsheet::CellKind::Boolean:
                out_ += " t=\"b\">";
                value(cell.code ? "1" : "0");
                break;
            case spreadsheet::CellKind::Error:
                out_ += " t=\"e\">";
                value(spreadsheet::errorText(static_cast<spreadsheet::CellError>(cell.code)));
                break;
            case spreadsheet::CellKind::Formula:
                formula(part_.formulas.at(cell.index));
                break;
        }
        closing("c");
    }

    void text(std::string_view text, std::uint32_t entry) {
        if (!entryNumbers_.empty()) {
            out_ += " t=\"s\">";
            element("v>");
            unsignedNumber(entryNumbers_[entry]);
            closing("v");
            return;
        }
        out_ += " t=\"inlineStr\">";
        element("is>");
        element(xml::needsPreservedSpace(text) ? "t xml:space=\"preserve\">" : "t>");
        appendEscapedText(out_, text);
        closing("t");
        closing("is");
    }

    void formula(const Formula& formula) {
        const spreadsheet::CellValue& result = formula.result;
        if (std::holds_alternative<std::string>(result)) {
            out_ += " t=\"str\"";
        } else if (std::holds_alternative<bool>(result)) {
            out_ += " t=\"b\"";
        } else if (std::holds_alternative<spreadsheet::CellError>(result)) {
            out_ += " t=\"e\"";
        }
        out_ += '>';
        out_ += formula.xml;
        if (const auto* text = std::get_if<std::string>(&result)) {
            value(*text);
        } else if (const auto* number = std::get_if<double>(&result)) {
            element("v>");
            this->number(*number);
            closing("v");
        } else if (const auto* flag = std::get_if<bool>(&result)) {
            value(*flag ? "1" : "0");
        } else if (const auto* error = std::get_if<spreadsheet::CellError>(&result)) {
            value(spreadsheet::errorText(*error));
        }
    }

private:
    PieceWriter& pieces_;
    std::string& out_;
    const SheetPart& part_;
    const spreadsheet::StringTable& strings_;
    const std::vector<std::uint32_t>& entryNumbers_;
};

// "A1:E60001": the range of the cells held; "A1" for a sheet without cells.
std::string usedRange(const SheetPart& part) {
    std::uint32_t firstRow = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t lastRow = 0;
    std::uint32_t firstColumn = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t lastColumn = 0;
    for (const auto& [number, row] : part.rows) {
        if (row.cells.empty()) {
            continue;
        }
        firstRow = std::min(firstRow, number);
        lastRow = std::max(lastRow, number);
        firstColumn = std::min<std::uint32_t>(firstColumn, row.cells.front().column);
        lastColumn = std::max<std::uint32_t>(lastColumn, row.cells.back().column);
    }
    if (firstRow > lastRow) {
        return "A1";
    }
    const std::string first = spreadsheet::cellName(firstRow, firstColumn);
    const std::string last = spreadsheet::cellName(lastRow, lastColumn);
    return first == last ? first : first + ":" + last;
}

}  // namespace

void writeSheetPart(const SheetPart& part, const spreadsheet::StringTable& strings,
                    const std::vector<std::uint32_t>& entryNumbers, const PieceSink& sink) {
    PieceWriter pieces(sink);
    std::string& out = pieces.text;
    if (part.dimensionAt != std::string::npos) {
        out.append(part.head, 0, part.dimensionAt);
        out += '<';
        out += part.prefix;
        out += "dimension ref=\"" + usedRange(part) + "\"/>";
        out.append(part.head, part.dimensionAt + part.dimensionLength);
    } else {
        out += part.head;
    }
    CellTableWriter writer(pieces, part, strings, entryNumbers);
    writer.element("sheetData>");
    for (const auto& [number, row] : part.rows) {
        writer.row(number, row);
    }
    writer.closing("sheetData");
    out += part.tail;
    pieces.handOn();
}

}  // namespace glossel::xlsx
