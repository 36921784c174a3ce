// Cell values: their Variant forms as DAO hands them on, and the RK number form, which must
// give back exactly the number written or not be used.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "platform/Error.h"
#include "platform/spreadsheet/CellValue.h"
#include "platform/xls/RkNumber.h"

namespace glossel::xls {
namespace {

TEST(CellValueVariant, CellsReadAsDaoValues) {
    EXPECT_EQ(spreadsheet::toVariant(spreadsheet::Empty{}), Variant(Null{}));
    EXPECT_EQ(spreadsheet::toVariant(spreadsheet::CellError::NotAvailable), Variant(Null{}));
    EXPECT_EQ(spreadsheet::toVariant(2.5), Variant(2.5));
    EXPECT_EQ(spreadsheet::toVariant(std::string("Текст")), Variant(std::string("Текст")));
    EXPECT_EQ(spreadsheet::toVariant(true), Variant(true));
}

TEST(CellValueVariant, DatabaseValuesBecomeCells) {
    EXPECT_EQ(spreadsheet::fromVariant(Null{}), spreadsheet::CellValue(spreadsheet::Empty{}));
    EXPECT_EQ(spreadsheet::fromVariant(std::int16_t{-12}), spreadsheet::CellValue(-12.0));
    EXPECT_EQ(spreadsheet::fromVariant(std::int32_t{2147483647}), spreadsheet::CellValue(2147483647.0));
    EXPECT_EQ(spreadsheet::fromVariant(std::uint8_t{255}), spreadsheet::CellValue(255.0));
    EXPECT_EQ(spreadsheet::fromVariant(Currency{-123456}), spreadsheet::CellValue(-12.3456));
    EXPECT_EQ(spreadsheet::fromVariant(DateTime{45000.5}), spreadsheet::CellValue(45000.5));
    EXPECT_EQ(spreadsheet::fromVariant(Decimal{true, 2, {0, 0, 0, 12345}}), spreadsheet::CellValue(-123.45));
    EXPECT_EQ(spreadsheet::fromVariant(std::string()), spreadsheet::CellValue(std::string()));
    EXPECT_EQ(spreadsheet::fromVariant(false), spreadsheet::CellValue(false));
    try {
        spreadsheet::fromVariant(Bytes{1, 2});
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kTypeMismatch);
    }
}

TEST(RkNumber, FormsSeenInLibreOfficeFiles) {
    EXPECT_EQ(decodeRk(0x1F7), 1.25);
    EXPECT_EQ(decodeRk(0x2B), 0.1);
    EXPECT_EQ(decodeRk(0xFFFFFFE6), -7.0);
    EXPECT_EQ(decodeRk(0x40040000), 2.5);
    EXPECT_EQ(encodeRk(0.1), 0x2Bu);  // only the hundredths form holds 0.1
    EXPECT_EQ(encodeRk(-7.0), 0xFFFFFFE6u);
    EXPECT_EQ(encodeRk(536870911.0), 0x7FFFFFFEu);
}

TEST(RkNumber, EncodedNumbersDecodeToTheSameBits) {
    const double values[] = {0.0,     -0.0,     1.0,        -536870912.0, 536870912.0,
                             0.29,    0.01,     1e-300,     123456.78,    -0.07,
                             1.0 / 3, 45000.25, 5368709.11, 1e15,         -2.5e-5};
    for (double value : values) {
        if (const auto rk = encodeRk(value)) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(decodeRk(*rk)),
                      std::bit_cast<std::uint64_t>(value))
                << value;
        }
    }
    EXPECT_FALSE(encodeRk(1.0 / 3));
}

}  // namespace
}  // namespace glossel::xls
