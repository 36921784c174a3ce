// Damaged and foreign files: each kind of damage ends in a clear error that names the file and,
// where known, the record and its position; none crashes, hangs or reads out of bounds.
#include <gtest/gtest.h>

#include "platform/ByteOrder.h"
#include "platform/Error.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/CompoundFile.h"
#include "platform/xls/RecordWriter.h"
#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"
#include "tests/platform/xls/XlsTestSupport.h"

namespace glossel::xls {
namespace {

const std::string kName = "kaputt.xls";
using test::u32At;

std::vector<std::uint8_t> templateFile() {
    return test::readBytes(test::dataPath("xls/Export.xls"));
}

std::vector<std::uint8_t> templateStream() {
    return test::workbookStream(templateFile());
}

// The position of the n-th record with that id.
std::size_t positionOf(const std::vector<std::uint8_t>& stream, std::uint16_t recordId,
                       int nth = 0) {
    for (const auto& record : test::walkStream(stream)) {
        if (record.id == recordId && nth-- == 0) {
            return record.position;
        }
    }
    ADD_FAILURE() << "no record " << recordId;
    return 0;
}

Error errorOpening(const std::vector<std::uint8_t>& file) {
    try {
        const auto workbook = Workbook::fromBytes(file, kName);
        ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
        EXPECT_NE(error.description().find(kName), std::string::npos) << error.what();
        return error;
    }
    return Error(0, "");
}

Error errorOpeningStream(const std::vector<std::uint8_t>& stream) {
    return errorOpening(test::withWorkbookStream(templateFile(), stream));
}

bool mentions(const Error& error, const std::string& text) {
    return error.description().find(text) != std::string::npos;
}

TEST(WorkbookDamage, NotACompoundFileIsUnrecognised) {
    const std::string text = "ID;Description\n1;kein Excel\n";
    EXPECT_EQ(errorOpening({text.begin(), text.end()}).number(), err::kUnrecognisedFormat);
}

TEST(WorkbookDamage, BrokenContainerHeaderIsUnrecognised) {
    auto file = templateFile();
    file[0x1E] = 0x30;  // sector shift: 2^48-byte sectors
    EXPECT_EQ(errorOpening(file).number(), err::kUnrecognisedFormat);
}

TEST(WorkbookDamage, ContainerWithoutWorkbookStreamIsUnrecognised) {
    CompoundEntry root;
    root.isStorage = true;
    root.children.push_back({"Daten", false, {}, {1, 2, 3}, {}});
    EXPECT_EQ(errorOpening(writeCompoundFile(root, nullptr, {})).number(),
              err::kUnrecognisedFormat);
}

TEST(WorkbookDamage, Excel95BookStreamIsRefusedByName) {
    CompoundEntry root;
    root.isStorage = true;
    const std::vector<std::uint8_t> stream = templateStream();
    root.children.push_back({"Book", false, {}, {stream.begin(), stream.end()}, {}});
    const Error error = errorOpening(writeCompoundFile(root, nullptr, {}));
    EXPECT_EQ(error.number(), err::kUnrecognisedFormat);
    EXPECT_TRUE(mentions(error, "Excel 5.0/95"));
}

TEST(WorkbookDamage, Biff5VersionInWorkbookStreamIsRefused) {
    auto stream = templateStream();
    le::set16(stream, 4, bof::kBiff5);
    const Error error = errorOpeningStream(stream);
    EXPECT_EQ(error.number(), err::kUnrecognisedFormat);
    EXPECT_TRUE(mentions(error, "BIFF5"));
}

TEST(WorkbookDamage, EncryptedWorkbookIsRefused) {
    auto stream = templateStream();
    const std::vector<std::uint8_t> filePass{0x2F, 0x00, 0x06, 0x00, 0, 0, 1, 0, 1, 0};
    stream.insert(stream.begin() + 20, filePass.begin(), filePass.end());
    const Error error = errorOpeningStream(stream);
    EXPECT_EQ(error.number(), err::kPassword);
    EXPECT_TRUE(mentions(error, "verschlüsselt"));
}

TEST(WorkbookDamage, TruncatedRecordNamesItsPosition) {
    auto stream = templateStream();
    const std::size_t row = positionOf(stream, id::kRow);
    stream.resize(row + 10);
    const Error error = errorOpeningStream(stream);
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_TRUE(mentions(error, "Position " + std::to_string(row)));
    EXPECT_TRUE(mentions(error, "ROW"));
}

TEST(WorkbookDamage, StreamEndingInARecordHeader) {
    auto stream = templateStream();
    stream.resize(positionOf(stream, id::kRow) + 2);
    EXPECT_EQ(errorOpeningStream(stream).number(), err::kDamaged);
}

TEST(WorkbookDamage, OversizedRecordIsDamage) {
    auto stream = templateStream();
    const std::size_t write = positionOf(stream, 0x005C);  // WRITEACCESS in the globals
    le::set16(stream, write + 2, 9000);
    stream.insert(stream.begin() + static_cast<std::ptrdiff_t>(write) + 4, 9000 - 112, ' ');
    const Error error = errorOpeningStream(stream);
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_TRUE(mentions(error, "8224"));
}

TEST(WorkbookDamage, SstIndexPastTheTable) {
    auto stream = templateStream();
    le::set32(stream, positionOf(stream, id::kLabelSst, 2) + 4 + 6, 5);
    const Error error = errorOpeningStream(stream);
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_TRUE(mentions(error, "LABELSST"));
    EXPECT_TRUE(mentions(error, "Blatt 'TidxTexts'"));
}

TEST(WorkbookDamage, SstCountPastItsData) {
    auto stream = templateStream();
    le::set32(stream, positionOf(stream, id::kSst) + 4 + 4, 1000000);
    const Error error = errorOpeningStream(stream);
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_TRUE(mentions(error, "SST"));
}

TEST(WorkbookDamage, BoundSheetPositionPastTheStream) {
    auto stream = templateStream();
    le::set32(stream, positionOf(stream, id::kBoundSheet) + 4, 0x00FFFFFF);
    const Error error = errorOpeningStream(stream);
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_TRUE(mentions(error, "BOUNDSHEET"));
}

TEST(WorkbookDamage, BoundSheetPositionNotAtABof) {
    auto stream = templateStream();
    le::set32(stream, positionOf(stream, id::kBoundSheet) + 4,
              static_cast<std::uint32_t>(positionOf(stream, id::kRow)));
    EXPECT_TRUE(mentions(errorOpeningStream(stream), "kein BOF"));
}

TEST(WorkbookDamage, TwoSheetsAtOnePosition) {
    auto stream = templateStream();
    const std::size_t boundSheet = positionOf(stream, id::kBoundSheet);
    const std::vector<std::uint8_t> copy(
        stream.begin() + static_cast<std::ptrdiff_t>(boundSheet),
        stream.begin() + static_cast<std::ptrdiff_t>(boundSheet) + 21);
    stream.insert(stream.begin() + static_cast<std::ptrdiff_t>(boundSheet), copy.begin(),
                  copy.end());
    const std::uint32_t sheet = u32At(stream, boundSheet + 4) + 21;
    le::set32(stream, boundSheet + 4, sheet);
    le::set32(stream, boundSheet + 21 + 4, sheet);
    EXPECT_TRUE(mentions(errorOpeningStream(stream), "innerhalb"));
}

TEST(WorkbookDamage, SheetWithoutEof) {
    auto stream = templateStream();
    stream.resize(stream.size() - 4);
    EXPECT_TRUE(mentions(errorOpeningStream(stream), "EOF"));
}

TEST(WorkbookDamage, CellPastTheLastColumn) {
    auto stream = templateStream();
    le::set16(stream, positionOf(stream, id::kLabelSst) + 4 + 2, 300);
    EXPECT_TRUE(mentions(errorOpeningStream(stream), "Spalte 300"));
}

TEST(WorkbookDamage, MultipleCellRecordWithBogusCount) {
    auto stream = templateStream();
    const std::size_t row = positionOf(stream, id::kRow);
    const std::vector<std::uint8_t> mulBlank{0xBE, 0x00, 0x0A, 0x00, 1, 0, 0,
                                             0,    15,   0,    15,   0, 9, 0};
    stream.insert(stream.begin() + static_cast<std::ptrdiff_t>(row) + 20, mulBlank.begin(),
                  mulBlank.end());
    EXPECT_TRUE(mentions(errorOpeningStream(stream), "MULBLANK"));
}

}  // namespace
}  // namespace glossel::xls
