// The little-endian helpers: byte order, and high bits that must neither be lost nor spread
// (a byte of 0x80 or more is not a negative number).
#include <gtest/gtest.h>

#include "platform/ByteOrder.h"

namespace glossel::le {
namespace {

TEST(ByteOrder, ValuesKeepTheirOrderAndHighBitsBothWays) {
    std::vector<std::uint8_t> bytes;
    append8(bytes, 0xA5);
    append16(bytes, 0x80FF);
    append32(bytes, 0xF1E2D3C4);
    append64(bytes, 0x8877665544332211);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xA5, 0xFF, 0x80, 0xC4, 0xD3, 0xE2, 0xF1, 0x11,
                                                0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}));
    EXPECT_EQ(get16(bytes, 1), 0x80FF);
    EXPECT_EQ(get32(bytes, 3), 0xF1E2D3C4u);
    EXPECT_EQ(get64(bytes, 7), 0x8877665544332211u);

    set16(bytes, 0, 0xFEDC);
    set32(bytes, 2, 0x89ABCDEF);
    EXPECT_EQ(get16(bytes, 0), 0xFEDC);
    EXPECT_EQ(bytes[2], 0xEF);
    EXPECT_EQ(bytes[5], 0x89);
    EXPECT_EQ(bytes[6], 0xF1);  // the bytes after stay
}

}  // namespace
}  // namespace glossel::le
