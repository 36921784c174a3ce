// Reading a worksheet part as it streams out of the zip. The bytes before the cell table are kept
// as the head and those after it as the tail; the cell table itself goes into the row table.
#include <algorithm>
#include <charconv>
#include <optional>

#include "platform/spreadsheet/CellNames.h"
#include "platform/xlsx/OoxmlFormat.h"
#include "platform/xlsx/PartXml.h"
#include "platform/xlsx/SheetNames.h"
#include "platform/xlsx/SheetXml.h"
#include "platform/xlsx/XmlSubtree.h"
#include "platform/xlsx/XmlText.h"
#include "platform/xml/XmlEscape.h"

namespace glossel::xlsx {
namespace {

constexpr std::size_t kMaxColumnStyles = kMaxColumns;

bool isSpreadsheetMain(std::string_view ns) {
    return ns == ns::kMain || ns == ns::kStrictMain;
}

std::optional<double> parseDouble(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' ||
                             text.front() == '\r')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n' ||
                             text.back() == '\r')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

std::optional<spreadsheet::CellError> errorOfText(std::string_view text) {
    for (const auto error :
         {spreadsheet::CellError::Null, spreadsheet::CellError::DivisionByZero, spreadsheet::CellError::Value,
          spreadsheet::CellError::Reference, spreadsheet::CellError::Name, spreadsheet::CellError::Number,
          spreadsheet::CellError::NotAvailable}) {
        if (spreadsheet::errorText(error) == text) {
            return error;
        }
    }
    return std::nullopt;
}

class SheetHandler : public XmlHandler {
public:
    SheetHandler(SheetPart& part, spreadsheet::StringTable& strings, std::uint32_t sharedEntries)
        : part_(part), strings_(strings), sharedEntries_(sharedEntries) {}

    XmlParser* parser = nullptr;
    std::optional<std::uint64_t> headEnd;    // where <sheetData> starts
    std::optional<std::uint64_t> tailStart;  // where the part goes on after the cell table

    void declareNamespace(std::string_view prefix, std::string_view uri) override {
        if (formula_) {
            formula_->declareNamespace(prefix, uri);
        }
    }

    void start(const XmlName& name, const XmlAttributes& attributes) override {
        if (formula_) {
            ++formulaDepth_;
            formula_->start(name, attributes);
            return;
        }
        if (!isSpreadsheetMain(name.ns)) {
            return;
        }
        if (!inSheetData_) {
            startOutside(name, attributes);
        } else if (name.local == "row" && !inRow_) {
            startRow(attributes);
        } else if (name.local == "c" && inRow_ && !inCell_) {
            startCell(attributes);
        } else if (inCell_) {
            startInCell(name, attributes);
        }
    }

    void end(const XmlName& name) override {
        if (formula_) {
            formula_->end(name);
            if (formulaDepth_-- == 0) {
                formulaXml_ = formula_->xml();
                formula_.reset();
            }
            return;
        }
        if (!isSpreadsheetMain(name.ns)) {
            return;
        }
        if (!inSheetData_) {
            if (name.local == "dimension" && part_.dimensionAt != std::string::npos &&
                parser->eventLength() > 0) {
                part_.dimensionLength = parser->eventOffset() + parser->eventLength() -
                                        part_.dimensionAt;
            }
        } else if (name.local == "sheetData" && !inRow_) {
            inSheetData_ = false;
            tailStart = parser->eventLength() > 0 ? parser->eventOffset() + parser->eventLength()
                                                  : sheetDataEnd_;
        } else if (name.local == "row" && inRow_ && !inCell_) {
            inRow_ = false;
        } else if (name.local == "c" && inCell_) {
            endCell();
        } else if (name.local == "v" && inCell_) {
            inValue_ = false;
        } else if (name.local == "is") {
            inInline_ = false;
        } else if (name.local == "t") {
            inText_ = false;
        } else if (name.local == "rPh") {
            inPhonetic_ = false;
        }
    }

    void text(std::string_view text) override {
        if (formula_) {
            formula_->text(text);
        } else if (inValue_) {
            value_ += text;
        } else if (inInline_ && inText_ && !inPhonetic_) {
            inlineText_ += text;
        }
    }

private:
    void startOutside(const XmlName& name, const XmlAttributes& attributes) {
        if (name.local == "sheetData") {
            inSheetData_ = true;
            headEnd = parser->eventOffset();
            sheetDataEnd_ = parser->eventOffset() + parser->eventLength();
            part_.prefix = name.prefix.empty() ? "" : std::string(name.prefix) + ":";
        } else if (name.local == "dimension" && !headEnd) {
            part_.dimensionAt = parser->eventOffset();
            part_.dimensionLength = parser->eventLength();
        } else if (name.local == "col") {
            addColumnStyle(attributes);
        }
    }

    void addColumnStyle(const XmlAttributes& attributes) {
        const char* min = attributes.find("min");
        const char* max = attributes.find("max");
        const char* style = attributes.find("style");
        if (!min || !max || !style) {
            return;
        }
        const auto first = parseNumberUpTo(min, kMaxColumns);
        const auto last = parseNumberUpTo(max, kMaxColumns);
        if (!first || !last || part_.columns.size() >= kMaxColumnStyles) {
            parser->fail("die Spaltenangabe (col) ist ungültig");
        }
        part_.columns.push_back({*first - 1, *last - 1, styleOf(style)});
    }

    void startRow(const XmlAttributes& attributes) {
        inRow_ = true;
        column_ = 0;
        if (const char* number = attributes.find("r")) {
            const auto parsed = parseNumberUpTo(number, kMaxRows);
            if (!parsed) {
                parser->fail("die Zeilennummer '" + std::string(number) +
                             "' liegt nicht in 1 bis 1048576");
            }
            row_ = *parsed - 1;
        } else {
            row_ = nextRow_;
            if (row_ >= kMaxRows) {
                parser->fail("das Blatt hat mehr als 1048576 Zeilen");
            }
        }
        nextRow_ = row_ + 1;
        RowAttributes kept;
        bool customFormat = false;
        std::optional<std::uint16_t> style;
        for (const char** pair = attributes.pairs(); *pair; pair += 2) {
            const XmlName attribute = splitName(*pair);
            if (attribute.ns.empty() && (attribute.local == "r" || attribute.local == "spans")) {
                continue;
            }
            if (attribute.ns.empty() && attribute.local == "customFormat") {
                customFormat = std::string_view(pair[1]) == "1" || std::string_view(pair[1]) == "true";
            }
            if (attribute.ns.empty() && attribute.local == "s") {
                style = styleOf(pair[1]);
            }
            kept.xml += ' ';
            if (!attribute.prefix.empty()) {
                kept.xml += attribute.prefix;
                kept.xml += ':';
            }
            kept.xml += attribute.local;
            kept.xml += "=\"";
            xml::appendEscapedAttribute(kept.xml, pair[1]);
            kept.xml += '"';
        }
        kept.style = customFormat ? style : std::nullopt;
        if (!kept.xml.empty()) {
            part_.rows[row_].record = std::move(kept);
        }
    }

    std::uint16_t styleOf(const char* text) {
        if (std::string_view(text) == "0") {
            return 0;
        }
        const auto style = parseNumberUpTo(text, 65535);
        if (!style) {
            parser->fail("die Formatnummer '" + std::string(text) + "' ist ungültig");
        }
        return static_cast<std::uint16_t>(*style);
    }

    void startCell(const XmlAttributes& attributes) {
        inCell_ = true;
        value_.clear();
        inlineText_.clear();
        formulaXml_.clear();
        hasFormula_ = false;
        if (const char* reference = attributes.find("r")) {
            const auto place = parseCellReference(reference);
            if (!place) {
                parser->fail("der Zellbezug '" + std::string(reference) + "' ist ungültig");
            }
            column_ = place->column;
        }
        if (column_ >= kMaxColumns) {
            parser->fail("die Zeile hat mehr als 16384 Spalten");
        }
        const char* style = attributes.find("s");
        style_ = style ? styleOf(style) : 0;
        const char* type = attributes.find("t");
        type_ = type ? type : "n";
    }

    void startInCell(const XmlName& name, const XmlAttributes& attributes) {
        if (name.local == "v") {
            inValue_ = true;
        } else if (name.local == "f") {
            hasFormula_ = true;
            definesShared_ = attributes.find("ref") != nullptr;
            formula_.emplace();
            formulaDepth_ = 0;
            formula_->start(name, attributes);
        } else if (name.local == "is") {
            inInline_ = true;
        } else if (name.local == "t") {
            inText_ = true;
        } else if (name.local == "rPh") {
            inPhonetic_ = true;
        }
    }

    // The cell's value as its type and <v> say.
    spreadsheet::CellValue cellValue() {
        if (type_ == "s") {
            const auto index = parseNumberUpTo(value_, 0xFFFFFFFF);
            const std::uint64_t entry = index ? std::uint64_t{*index} : 0;
            sharedEntry_ = static_cast<std::uint32_t>(entry);
            if (!index && value_ != "0") {
                parser->fail("die Zelle " + spreadsheet::cellName(row_, column_) +
                             " nennt keinen gemeinsamen Text, sondern '" + value_ + "'");
            }
            if (entry >= sharedEntries_) {
                parser->fail("die Zelle " + spreadsheet::cellName(row_, column_) +
                             " verweist auf den gemeinsamen Text Nr. '" + value_ +
                             "', die Tabelle hat " + std::to_string(sharedEntries_));
            }
            return std::string(strings_.text(static_cast<std::uint32_t>(entry)));
        }
        if (type_ == "inlineStr") {
            return decodeEscapes(inlineText_);
        }
        if (type_ == "str" || type_ == "d") {
            return decodeEscapes(value_);
        }
        if (value_.empty()) {
            return spreadsheet::Empty{};
        }
        if (type_ == "b") {
            if (value_ == "1" || value_ == "true") {
                return true;
            }
            if (value_ == "0" || value_ == "false") {
                return false;
            }
        } else if (type_ == "e") {
            return errorOfText(value_).value_or(spreadsheet::CellError::Value);
        } else if (type_ == "n") {
            if (const auto number = parseDouble(value_)) {
                return *number;
            }
        } else {
            parser->fail("die Zelle " + spreadsheet::cellName(row_, column_) + " hat den unbekannten Typ '" +
                         type_ + "'");
        }
        parser->fail("der Wert '" + value_ + "' der Zelle " + spreadsheet::cellName(row_, column_) +
                     " passt nicht zu ihrem Typ '" + type_ + "'");
    }

    void endCell() {
        inCell_ = false;
        spreadsheet::CellValue value = cellValue();
        spreadsheet::Cell cell{static_cast<std::uint16_t>(column_), style_};
        if (hasFormula_) {
            cell.kind = spreadsheet::CellKind::Formula;
            cell.index = static_cast<std::uint32_t>(part_.formulas.size());
            part_.formulas.push_back({std::move(formulaXml_), std::move(value), definesShared_});
        } else if (type_ == "s") {
            cell.kind = spreadsheet::CellKind::Text;
            cell.index = sharedEntry_;
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            cell.kind = spreadsheet::CellKind::Text;
            cell.index = strings_.intern(*text);
        } else if (const auto* number = std::get_if<double>(&value)) {
            cell.kind = spreadsheet::CellKind::Number;
            cell.number = *number;
        } else if (const auto* flag = std::get_if<bool>(&value)) {
            cell.kind = spreadsheet::CellKind::Boolean;
            cell.code = *flag ? 1 : 0;
        } else if (const auto* error = std::get_if<spreadsheet::CellError>(&value)) {
            cell.kind = spreadsheet::CellKind::Error;
            cell.code = static_cast<std::uint8_t>(*error);
        } else if (style_ == 0) {
            ++column_;
            return;  // nothing to hold: an empty cell without format
        }
        place(cell);
        ++column_;
    }

    void place(const spreadsheet::Cell& cell) {
        auto& cells = part_.rows[row_].cells;
        if (cells.empty() || cells.back().column < cell.column) {
            cells.push_back(cell);
            return;
        }
        const auto at = std::lower_bound(
            cells.begin(), cells.end(), cell.column,
            [](const spreadsheet::Cell& candidate, std::uint16_t wanted) { return candidate.column < wanted; });
        if (at != cells.end() && at->column == cell.column) {
            *at = cell;
        } else {
            cells.insert(at, cell);
        }
    }

    SheetPart& part_;
    spreadsheet::StringTable& strings_;
    std::uint32_t sharedEntries_;
    bool inSheetData_ = false;
    bool inRow_ = false;
    bool inCell_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
    bool inText_ = false;
    bool inPhonetic_ = false;
    bool hasFormula_ = false;
    bool definesShared_ = false;
    std::uint64_t sheetDataEnd_ = 0;
    std::uint32_t row_ = 0;
    std::uint32_t nextRow_ = 0;
    std::uint32_t column_ = 0;
    std::uint16_t style_ = 0;
    std::uint32_t sharedEntry_ = 0;
    std::string type_;
    std::string value_;
    std::string inlineText_;
    std::optional<XmlSubtree> formula_;
    unsigned formulaDepth_ = 0;
    std::string formulaXml_;
};

}  // namespace

SheetPart readSheetPart(const ZipReader& zip, const ZipEntry& entry, spreadsheet::StringTable& strings,
                        std::uint32_t sharedEntries) {
    SheetPart part;
    SheetHandler handler(part, strings, sharedEntries);
    const PartPlace place{zip.path(), entry.name};
    PartParser parser(handler, place);
    handler.parser = &parser;
    std::uint64_t base = 0;  // where the current piece starts in the part
    std::string previous;    // the piece before, for a tail that starts in it
    bool headDone = false;
    bool tailTaken = false;
    const auto takeTail = [&](std::string_view piece) {
        if (!handler.tailStart || tailTaken) {
            return;
        }
        tailTaken = true;
        const std::uint64_t start = *handler.tailStart;
        if (start < base) {
            part.tail.assign(previous, static_cast<std::size_t>(start - (base - previous.size())));
            part.tail += piece;
        } else {
            part.tail.assign(piece.substr(static_cast<std::size_t>(start - base)));
        }
    };
    zip.inflate(entry, [&](std::string_view piece) {
        if (!headDone) {
            part.head += piece;
        }
        parser.feed(piece, false);
        if (!headDone && handler.headEnd) {
            part.head.resize(static_cast<std::size_t>(*handler.headEnd));
            headDone = true;
        }
        if (tailTaken) {
            part.tail += piece;
        } else {
            takeTail(piece);
        }
        previous.assign(piece);
        base += piece.size();
    });
    parser.feed({}, true);
    takeTail({});
    if (!headDone || !handler.tailStart) {
        throwDamaged(place, "das Tabellenblatt hat keine Zelltabelle (sheetData)");
    }
    return part;
}

}  // namespace glossel::xlsx
