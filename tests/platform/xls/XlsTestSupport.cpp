// Listings, stream access and position checks for the workbook engine tests.
#include "tests/platform/xls/XlsTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/xls/BiffFormat.h"
#include "platform/xls/CompoundFile.h"
#include "tests/OtherReaders.h"

namespace glossel::test {

using namespace glossel::xls;
namespace {

std::string escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string number(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

// Cell lines carry repr() floats from Python: bring them to %.17g.
std::string normaliseNumber(const std::string& line) {
    const auto tab = line.rfind('\t');
    const auto typeStart = line.find('\t', line.find('\t', 2) + 1) + 1;
    if (line.compare(typeStart, 7, "number\t") != 0) {
        return line;
    }
    return line.substr(0, tab + 1) + number(std::strtod(line.c_str() + tab + 1, nullptr));
}

Listing run(const std::string& arguments) {
    const std::string command = "/usr/bin/python3 " GLOSSEL_XLRD_CELLS " " + arguments;
    const std::string output = commandOutput(command);
    Listing lines;
    for (std::size_t start = 0, end; (end = output.find('\n', start)) != std::string::npos;
         start = end + 1) {
        const std::string line = output.substr(start, end - start);
        lines.push_back(line[0] == 'C' ? normaliseNumber(line) : line);
    }
    return lines;
}

std::string valueText(const CellValue& value, std::string& type) {
    struct Formatter {
        std::string& type;
        std::string operator()(Empty) const { return type = "blank", ""; }
        std::string operator()(double v) const { return type = "number", number(v); }
        std::string operator()(const std::string& v) const { return type = "text", escape(v); }
        std::string operator()(bool v) const { return type = "bool", v ? "1" : "0"; }
        std::string operator()(CellError v) const {
            return type = "error", std::to_string(static_cast<int>(v));
        }
    };
    return std::visit(Formatter{type}, value);
}

}  // namespace

std::string sampleText(std::size_t n) {
    const std::string number = std::to_string(n);
    if (n % 1000 == 999) {
        std::string text;
        for (std::size_t i = 0; i < 16383; ++i) {
            text += n % 2000 == 999 ? "😀" : "жж";
        }
        return text + "x";
    }
    switch (n % 8) {
        case 0:
            return "Привет, мир № " + number;
        case 1:
            return "Καλημέρα κόσμε " + number;
        case 2:
            return "日本語のテキスト " + number + " 中文";
        case 3:
            return "Smiley 😀 und 👍🏽 " + number;
        case 4:
            return "Grüße, Ärger – " + number;
        case 5:
            return "Zeile 1\nZeile 2\t\"zitiert\" " + number;
        case 6:
            return std::string(255 - number.size(), 'L') + number;
        default:
            return "";
    }
}

Listing engineListing(const Workbook& workbook, bool withXf) {
    Listing lines;
    for (std::size_t s = 0; s < workbook.worksheetCount(); ++s) {
        const Worksheet& sheet = workbook.worksheet(s);
        lines.push_back("S\t" + escape(sheet.name()) + "\t" + std::to_string(sheet.rowCount()) +
                        "\t" + std::to_string(sheet.columnCount()));
        for (std::uint32_t row = 0; row < sheet.rowCount(); ++row) {
            for (std::uint32_t column = 0; column < sheet.columnCount(); ++column) {
                const auto xf = sheet.cellXf(row, column);
                if (!xf) {
                    continue;
                }
                std::string type;
                const std::string value = valueText(sheet.cell(row, column), type);
                lines.push_back("C\t" + std::to_string(row) + "\t" + std::to_string(column) + "\t" +
                                type + "\t" + (withXf ? std::to_string(*xf) : "-") + "\t" + value);
            }
        }
        std::map<std::uint16_t, std::string> columns;
        for (const ColInfoRecord& info : sheet.columnInfo()) {
            for (std::uint32_t column = info.firstColumn;
                 column <= info.lastColumn && column < kMaxColumns; ++column) {
                columns[static_cast<std::uint16_t>(column)] =
                    std::to_string(info.width) + "\t" + std::to_string(info.xf);
            }
        }
        for (const auto& [column, text] : columns) {
            if (withXf) {
                lines.push_back("W\t" + std::to_string(column) + "\t" + text);
            }
        }
    }
    return lines;
}

Listing xlrdListing(const std::string& path) {
    return run("'" + path + "'");
}

Listing expectedListing(const std::string& jsonPath) {
    return run("--json '" + jsonPath + "'");
}

void expectSameListing(const Listing& actual, const Listing& expected) {
    EXPECT_EQ(actual.size(), expected.size());
    int reported = 0;
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()) && reported < 5; ++i) {
        if (actual[i] != expected[i]) {
            ADD_FAILURE() << "line " << i << "\n  engine: " << actual[i].substr(0, 200)
                          << "\n  oracle: " << expected[i].substr(0, 200);
            ++reported;
        }
    }
}

std::vector<std::uint8_t> workbookStream(const std::vector<std::uint8_t>& file) {
    CompoundEntry root = readCompoundFile(file, "test.xls");
    const spreadsheet::StreamBytes& stream = root.findStream("Workbook")->bytes;
    return {stream.begin(), stream.end()};
}

std::vector<std::uint8_t> withWorkbookStream(const std::vector<std::uint8_t>& file,
                                             const std::vector<std::uint8_t>& stream) {
    const CompoundEntry root = readCompoundFile(file, "test.xls");
    const CompoundEntry* old = const_cast<CompoundEntry&>(root).findStream("Workbook");
    return writeCompoundFile(root, old, stream);
}

std::uint16_t u16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return u16At(bytes, at) | static_cast<std::uint32_t>(u16At(bytes, at + 2)) << 16;
}

std::vector<StreamRecord> walkStream(const std::vector<std::uint8_t>& stream) {
    std::vector<StreamRecord> records;
    for (std::size_t at = 0; at + 4 <= stream.size();) {
        records.push_back({u16At(stream, at), at, u16At(stream, at + 2)});
        at += 4 + records.back().size;
    }
    return records;
}

void expectConsistentPositions(const std::vector<std::uint8_t>& stream) {
    const auto records = walkStream(stream);
    std::map<std::size_t, std::uint16_t> idAt;
    for (const auto& record : records) {
        idAt[record.position] = record.id;
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& record = records[i];
        const std::size_t body = record.position + 4;
        if (record.id == id::kBoundSheet) {
            EXPECT_EQ(idAt[u32At(stream, body)], id::kBof) << "BOUNDSHEET at " << record.position;
        } else if (record.id == id::kIndex) {
            const std::uint32_t defColWidth = u32At(stream, body + 12);
            if (defColWidth != 0) {
                EXPECT_EQ(idAt[defColWidth], id::kDefColWidth) << "INDEX at " << record.position;
            }
            for (std::size_t field = 16; field < record.size; field += 4) {
                EXPECT_EQ(idAt[u32At(stream, body + field)], id::kDbCell)
                    << "INDEX at " << record.position << ", entry " << (field - 16) / 4;
            }
        } else if (record.id == id::kDbCell && record.size > 4) {
            const std::size_t firstRow = record.position - u32At(stream, body);
            EXPECT_EQ(idAt[firstRow], id::kRow) << "DBCELL at " << record.position;
            std::size_t cells = firstRow + 20;
            for (std::size_t field = 4; field < record.size; field += 2) {
                cells += u16At(stream, body + field);
                EXPECT_TRUE(idAt.count(cells)) << "DBCELL at " << record.position;
            }
        } else if (record.id == id::kExtSst) {
            for (std::size_t field = 2; field + 8 <= record.size; field += 8) {
                const std::uint32_t string = u32At(stream, body + field);
                const std::uint16_t offset = u16At(stream, body + field + 4);
                const auto holder = idAt.find(string - offset);
                ASSERT_NE(holder, idAt.end()) << "EXTSST bucket " << (field - 2) / 8;
                EXPECT_TRUE(holder->second == id::kSst || holder->second == id::kContinue);
            }
        }
    }
}

}  // namespace glossel::test
