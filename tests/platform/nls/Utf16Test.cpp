// Tests for UTF-8 ⇄ UTF-16: well-formed text of every sequence length, and malformed text, which
// must come out as ICU's own conversion makes it.
#include "platform/nls/Utf16.h"

#include <gtest/gtest.h>
#include <unicode/ustring.h>

namespace glossel::nls {
namespace {

std::u16string icuUtf16(std::string_view utf8) {
    std::u16string out(utf8.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string icuUtf8(std::u16string_view utf16) {
    std::string out(utf16.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf16.data(),
                       static_cast<int32_t>(utf16.size()), 0xFFFD, nullptr, &status);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

TEST(Utf16, WellFormedTextOfEverySequenceLength) {
    EXPECT_EQ(toUtf16("Aä€𝄞"), u"Aä€𝄞");
    EXPECT_EQ(toUtf16(std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(toUtf16("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"), u"\uFFFF\U0010FFFF");
    EXPECT_EQ(toUtf16(""), u"");
    EXPECT_EQ(toUtf16("Förderband 184: Kühlwasser, Ж 12345678"),
              u"Förderband 184: Kühlwasser, Ж 12345678");
}

TEST(Utf16, MalformedTextAsIcuConvertsIt) {
    for (const std::string_view text :
         {"\x80", "a\xC3", "\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80",
          "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF8\x90\x80\x80", "\xFF", "\xE2\x82",
          "x\xE2\x82y", "\xF0\x9D\x84", "ok\xC3\xA4\xC3", "\xC3\x28", "\xDF\xC0", "abcdefgh\xC3",
          "abcdefghijklmnop\x80qrstuvwx"}) {
        EXPECT_EQ(toUtf16(text), icuUtf16(text)) << testing::PrintToString(std::string(text));
    }
}

TEST(Utf16, ToUtf8OfWellFormedAndUnpairedSurrogatesAsIcuConvertsIt) {
    EXPECT_EQ(toUtf8(u"Aä€𝄞\uFFFF\U0010FFFF"), "Aä€𝄞\xEF\xBF\xBF\xF4\x8F\xBF\xBF");
    EXPECT_EQ(toUtf8(std::u16string_view(u"a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(toUtf8(u""), "");
    const std::u16string unpaired[] = {
        {0xD800}, {u'a', 0xDC00, u'b'}, {0xDBFF}, {u'x', 0xD83D, 0xD83D, 0xDE00}, {0xDE00, 0xD83D},
    };
    for (const std::u16string& text : unpaired) {
        EXPECT_EQ(toUtf8(text), icuUtf8(text)) << text.size();
    }
}

TEST(Utf16, ReusedBufferHoldsOnlyTheLastText) {
    std::u16string buffer;
    toUtf16("längerer Text", buffer);
    toUtf16("ab", buffer);
    EXPECT_EQ(buffer, u"ab");
    toUtf16("\xC3", buffer);
    EXPECT_EQ(buffer, u"\uFFFD");
}

}  // namespace
}  // namespace glossel::nls
