// The shared string table: reading every way Excel cuts strings across CONTINUE records, and
// writing them the way Excel does (header with its first character, no cut surrogate pair or
// run, EXTSST pointing at the bucket strings).
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/SstRecord.h"
#include "tests/platform/xls/XlsTestSupport.h"

namespace glossel::xls {
namespace {

using test::u16At;
using test::u32At;

// An SST record built part by part: each part after the first becomes a CONTINUE.
struct SstParts {
    std::vector<std::vector<std::uint8_t>> parts;

    Record record() const {
        Record record{id::kSst, 0, {}, {}};
        for (const auto& part : parts) {
            if (!record.data.empty()) {
                record.cuts.push_back(static_cast<std::uint32_t>(record.data.size()));
            }
            record.data.insert(record.data.end(), part.begin(), part.end());
        }
        return record;
    }
};

std::vector<std::string> readTable(const SstParts& parts) {
    const Record record = parts.record();
    StringTable table;
    readSst(RecordReader(record, {"sst.xls", {}}), table);
    std::vector<std::string> texts;
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        texts.emplace_back(table.text(i));
    }
    return texts;
}

TEST(SstRead, CharactersCutWithWidthChangingBothWays) {
    // "Grüße" begins 8-bit and goes on in UTF-16 after "Gr"; "Ж€x" is cut after "Ж" and its
    // CONTINUE repeats the UTF-16 flag.
    const SstParts parts{{{2, 0, 0, 0, 2, 0, 0, 0, 5, 0, 0x00, 'G', 'r'},
                          {0x01, 0xFC, 0x00, 0xDF, 0x00, 'e', 0x00, 3, 0, 0x01, 0x16, 0x04},
                          {0x01, 0xAC, 0x20, 'x', 0x00}}};
    EXPECT_EQ(readTable(parts), (std::vector<std::string>{"Grüße", "Ж€x"}));
}

TEST(SstRead, SixteenBitTextGoingOnEightBit) {
    const SstParts parts{{{1, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0x01, 0x16, 0x04}, {0x00, 'a', 'b', 'c'}}};
    EXPECT_EQ(readTable(parts), (std::vector<std::string>{"Жabc"}));
}

TEST(SstRead, StringStartingAContinueHasNoFlagsByte) {
    const SstParts parts{{{2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0x00, 'a'}, {2, 0, 0x00, 'b', 'c'}}};
    EXPECT_EQ(readTable(parts), (std::vector<std::string>{"a", "bc"}));
}

TEST(SstRead, RunsAndPhoneticBlockCutWithoutFlagsByte) {
    // Rich string "ab" with 2 runs, cut between them; then a phonetic string "c" whose 6-byte
    // block is cut after 2 bytes; then "d".
    const SstParts parts{{{3, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0x08, 2, 0, 'a', 'b', 0, 0, 5, 0},
                          {1, 0, 6, 0, 1, 0, 0x04, 6, 0, 0, 0, 'c', 0xAA, 0xBB},
                          {0xCC, 0xDD, 0xEE, 0xFF, 1, 0, 0x00, 'd'}}};
    const Record record = parts.record();
    StringTable table;
    readSst(RecordReader(record, {"sst.xls", {}}), table);
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table.text(0), "ab");
    EXPECT_EQ(table.formatting(0)->runs, (std::vector<std::uint8_t>{0, 0, 5, 0, 1, 0, 6, 0}));
    EXPECT_EQ(table.text(1), "c");
    EXPECT_EQ(table.formatting(1)->phonetic,
              (std::vector<std::uint8_t>{0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}));
    EXPECT_EQ(table.text(2), "d");
}

TEST(SstRead, CountBeyondTheDataIsDamage) {
    const SstParts parts{{{9, 0, 0, 0, 9, 0, 0, 0, 1, 0, 0x00, 'a'}}};
    try {
        readTable(parts);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kDamaged);
        EXPECT_NE(error.description().find("sst.xls"), std::string::npos);
    }
}

// The SST and EXTSST records of a written table, and the records they were cut into.
struct WrittenTable {
    Bytes bytes;
    std::vector<test::StreamRecord> records;
};

WrittenTable writeTable(const std::vector<std::string>& texts) {
    StringTable table;
    std::vector<std::uint32_t> order;
    for (const auto& text : texts) {
        order.push_back(table.add(text, {}));
    }
    WrittenTable written;
    writeSst(written.bytes, table, order, static_cast<std::uint32_t>(texts.size()));
    written.records = test::walkStream(written.bytes);
    return written;
}

std::vector<std::string> readBack(const WrittenTable& written) {
    RecordCursor cursor(written.bytes, 0, {"sst.xls", {}});
    const Record record = cursor.next();
    StringTable table;
    readSst(RecordReader(record, {"sst.xls", {}}), table);
    std::vector<std::string> texts;
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        texts.emplace_back(table.text(i));
    }
    return texts;
}

// An 8-bit string that leaves `room` bytes free in the first SST record.
std::string filler(std::size_t room) {
    return std::string(kMaxRecordData - 8 - 3 - room, 'a');
}

TEST(SstWrite, HeaderStaysWithItsFirstCharacter) {
    const std::vector<std::string> texts{filler(3), "bc"};
    const auto written = writeTable(texts);
    ASSERT_GE(written.records.size(), 2u);
    EXPECT_EQ(written.records[0].size, kMaxRecordData - 3);
    EXPECT_EQ(written.records[1].id, id::kContinue);
    EXPECT_EQ(u16At(written.bytes, written.records[1].position + 4), 2);  // "bc" starts there
    EXPECT_EQ(readBack(written), texts);
}

TEST(SstWrite, SurrogatePairIsNeverCut) {
    // After the header of the emoji string 6 bytes remain: room for 3 UTF-16 units, the third
    // being the first half of a pair; the record must end after 2 units.
    const std::vector<std::string> texts{filler(6 + 3), "😀😀😀"};
    const auto written = writeTable(texts);
    ASSERT_GE(written.records.size(), 2u);
    EXPECT_EQ(written.records[0].size, kMaxRecordData - 2);
    const std::size_t next = written.records[1].position + 4;
    EXPECT_EQ(written.bytes[next], 0x01);               // flags byte of the characters' cut
    EXPECT_EQ(u16At(written.bytes, next + 1), 0xD83D);  // a whole pair follows
    EXPECT_EQ(readBack(written), texts);
}

TEST(SstWrite, Utf16CharacterIsNeverCutInHalves) {
    // 5 bytes after the header: two UTF-16 units fit, the record ends one byte short.
    const std::vector<std::string> texts{filler(5 + 3), "ЖЖЖЖЖЖЖЖЖ"};
    const auto written = writeTable(texts);
    EXPECT_EQ(written.records[0].size, kMaxRecordData - 1);
    EXPECT_EQ(readBack(written), texts);
}

TEST(SstWrite, LongStringsGoOnInContinuesAndReadBack) {
    std::vector<std::string> texts;
    for (int i = 0; i < 40; ++i) {
        std::string text;
        for (int j = 0; j < 400 + i * 37; ++j) {
            text += (i % 3 == 0) ? "ж" : (i % 3 == 1 ? "😀" : "x");
        }
        texts.push_back(text);
    }
    const auto written = writeTable(texts);
    EXPECT_GT(written.records.size(), 5u);
    for (const auto& record : written.records) {
        EXPECT_LE(record.size, kMaxRecordData);
    }
    EXPECT_EQ(readBack(written), texts);
}

TEST(SstWrite, ExtSstBucketsPointAtTheirStrings) {
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        texts.push_back("Text Nummer " + std::to_string(i) + std::string(i % 50, '.'));
    }
    const auto written = writeTable(texts);
    const auto& extSst = written.records.back();
    ASSERT_EQ(extSst.id, id::kExtSst);
    const std::size_t bucketSize = u16At(written.bytes, extSst.position + 4);
    EXPECT_EQ(bucketSize, 3000u / 128 + 1);
    const std::size_t buckets = (extSst.size - 2) / 8;
    EXPECT_EQ(buckets, (3000 + bucketSize - 1) / bucketSize);
    for (std::size_t b = 0; b < buckets; ++b) {
        const std::size_t field = extSst.position + 4 + 2 + 8 * b;
        const std::uint32_t position = u32At(written.bytes, field);
        const std::uint16_t offset = u16At(written.bytes, field + 4);
        EXPECT_EQ(u16At(written.bytes, position), texts[b * bucketSize].size()) << "bucket " << b;
        const auto holder =
            std::find_if(written.records.begin(), written.records.end(),
                         [&](const auto& r) { return r.position == position - offset; });
        EXPECT_NE(holder, written.records.end()) << "bucket " << b;
    }
}

TEST(SstWrite, TableHandedOnInPiecesEqualsTheWholeTableAfterEarlierRecords) {
    StringTable table;
    std::vector<std::uint32_t> order;
    for (int i = 0; i < 60000; ++i) {
        order.push_back(
            table.add("Text " + std::to_string(i) + (i % 3 ? " Größe" : " \u0416"), {}));
    }
    const Bytes before(100, 0x55);
    Bytes whole = before;
    writeSst(whole, table, order, 70000);

    Bytes out = before;
    Bytes pieces;
    std::size_t handedOn = 0;
    int pieceCount = 0;
    const HandOn collect = [&](std::span<const std::uint8_t> piece) {
        pieces.insert(pieces.end(), piece.begin(), piece.end());
        ++pieceCount;
    };
    writeSst({out, handedOn, collect}, table, order, 70000);
    EXPECT_GT(pieceCount, 0);
    EXPECT_EQ(handedOn, pieces.size());
    pieces.insert(pieces.end(), out.begin(), out.end());
    EXPECT_EQ(pieces, whole);
}

TEST(SstWrite, LatinTextsGoEightBitAndMalformedOnesAsReplacement) {
    const std::vector<std::string> texts{filler(4 + 3), "Größe ÿ", "Maß", "\xC3(", "\xC3"};
    const auto written = writeTable(texts);
    ASSERT_GE(written.records.size(), 2u);
    EXPECT_EQ(written.bytes[written.records[0].position + 4 + 8 + 3 + filler(7).size() + 2], 0x00);
    const std::size_t next = written.records[1].position + 4;
    EXPECT_EQ(written.bytes[next], 0x00);  // 8-bit flags byte of the cut characters
    const std::vector<std::string> expected{texts[0], texts[1], texts[2], "\uFFFD(", "\uFFFD"};
    EXPECT_EQ(readBack(written), expected);
}

TEST(SstSize, EqualsTheWrittenSize) {
    const StringTable::Formatting rich{std::vector<std::uint8_t>(4 * 3000, 0x11), {}};
    const StringTable::Formatting phonetic{{}, std::vector<std::uint8_t>(20000, 0x22)};
    const StringTable::Formatting both{std::vector<std::uint8_t>(8, 0x33),
                                       std::vector<std::uint8_t>(30, 0x44)};
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, const StringTable::Formatting*>> entries;
    };
    const std::vector<Case> cases{
        {"empty", {}},
        {"header at a cut", {{filler(3), nullptr}, {"bc", nullptr}}},
        {"surrogates at a cut", {{filler(6 + 3), nullptr}, {"😀😀😀", nullptr}}},
        {"utf-16 at a cut", {{filler(5 + 3), nullptr}, {"ЖЖЖЖЖЖЖЖЖ", nullptr}}},
        {"latin at a cut", {{filler(4 + 3), nullptr}, {"Größe", nullptr}}},
        {"three-byte and malformed",
         {{filler(5 + 3), nullptr},
          {"€日本", nullptr},
          {"\xC3(", nullptr},
          {"\xE0\x80\xAF", nullptr},
          {"\xED\xA0\x80", nullptr},
          {"\xF0\x9F\x98", nullptr},
          {"\xC0\xAF", nullptr}}},
        {"rich and phonetic",
         {{"a", &rich}, {"Größe", &phonetic}, {"ж", &both}, {std::string(9000, 'x'), &both}}},
    };
    for (const Case& c : cases) {
        StringTable table;
        std::vector<std::uint32_t> order;
        for (const auto& [text, formatting] : c.entries) {
            order.push_back(table.add(text, formatting ? *formatting : StringTable::Formatting{}));
        }
        for (int i = 0; i < 5000; ++i) {
            order.push_back(table.add(
                std::string(static_cast<std::size_t>(i % 97), 'q') + (i % 2 ? "ü" : "д"), {}));
        }
        Bytes written;
        writeSst(written, table, order, 7);
        EXPECT_EQ(sstSize(table, order), written.size()) << c.name;
    }
}

}  // namespace
}  // namespace glossel::xls
