// The reader on damaged files: each kind of damage ends in a clear error that names the file and,
// where it is known, the page and table; none crashes or reads out of bounds.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/jet/JetDatabase.h"
#include "platform/jet/UsageMap.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kPage = 4096;
const std::string kName = "damaged.tvs";

std::vector<std::uint8_t> demoBytes() {
    return test::readBytes(test::dataPath("jet/Demo.tvs"));
}

std::shared_ptr<JetDatabase> openBytes(std::vector<std::uint8_t> bytes) {
    return JetDatabase::open(std::make_unique<MemoryStore>(std::move(bytes)), kName);
}

void readAllRows(const JetDatabase& database, const std::string& name) {
    const auto table = database.table(name);
    auto cursor = database.rows(table);
    while (cursor.next()) {
        for (std::size_t column = 0; column < table->columns.size(); ++column) {
            cursor.value(column);
        }
    }
}

using test::errorOf;

struct TextsLayout {
    std::uint32_t definitionPage;
    std::uint32_t firstDataPage;
};

TextsLayout textsLayout() {
    const auto database = openBytes(demoBytes());
    const auto table = database->table("TidxTexts");
    const auto channel =
        PageChannel(std::make_unique<MemoryStore>(demoBytes()), jet4Format(), kName);
    return {table->definitionPage, readUsageMap(channel, table->ownedPages, "TidxTexts").front()};
}

TEST(JetDamage, NotAJetFileIsAnUnrecognisedFormat) {
    auto bytes = demoBytes();
    bytes[4] = 'X';
    const Error error = errorOf([&] { openBytes(bytes); });
    EXPECT_EQ(error.number(), err::kUnrecognisedFormat);
    EXPECT_NE(error.description().find(kName), std::string::npos);
}

TEST(JetDamage, AceVersionIsRefused) {
    auto bytes = demoBytes();
    bytes[0x14] = 2;
    const Error error = errorOf([&] { openBytes(bytes); });
    EXPECT_EQ(error.number(), err::kUnrecognisedFormat);
    EXPECT_NE(error.description().find("Jet-Version 2"), std::string::npos);
}

TEST(JetDamage, FileShorterThanAPageIsRefused) {
    auto bytes = demoBytes();
    bytes.resize(100);
    EXPECT_EQ(errorOf([&] { openBytes(bytes); }).number(), err::kUnrecognisedFormat);
}

TEST(JetDamage, PartialLastPageIsDamage) {
    auto bytes = demoBytes();
    bytes.resize(bytes.size() - 100);
    EXPECT_EQ(errorOf([&] { openBytes(bytes); }).number(), err::kDamaged);
}

TEST(JetDamage, EncryptedFileIsRefused) {
    auto bytes = demoBytes();
    bytes[0x3E] ^= 0x5A;  // the masked key becomes non-zero
    const Error error = errorOf([&] { openBytes(bytes); });
    EXPECT_EQ(error.number(), err::kUnrecognisedFormat);
    EXPECT_NE(error.description().find("verschlüsselt"), std::string::npos);
}

TEST(JetDamage, PasswordProtectedFileIsRefused) {
    for (const char* file : {"jet/Demo.tvs", "jet/real/testV1997.mdb"}) {
        auto bytes = test::readBytes(test::dataPath(file));
        bytes[0x43] ^= 0x41;  // one password byte becomes non-zero
        EXPECT_EQ(errorOf([&] { openBytes(bytes); }).number(), err::kPassword) << file;
    }
}

TEST(JetDamage, CatalogueThatIsNoDefinitionNamesPageAndTable) {
    auto bytes = demoBytes();
    bytes[2 * kPage] = 0x01;
    const Error error = errorOf([&] { openBytes(bytes); });
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_NE(error.description().find("Seite 2"), std::string::npos);
    EXPECT_NE(error.description().find("MSysObjects"), std::string::npos);
}

TEST(JetDamage, DefinitionChainInACircleIsDamage) {
    const TextsLayout layout = textsLayout();
    auto bytes = demoBytes();
    const std::size_t next = layout.definitionPage * kPage + 4;
    bytes[next] = static_cast<std::uint8_t>(layout.definitionPage);
    bytes[next + 1] = static_cast<std::uint8_t>(layout.definitionPage >> 8);
    const auto database = openBytes(bytes);
    const Error error = errorOf([&] { database->table("TidxTexts"); });
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_NE(error.description().find("TidxTexts"), std::string::npos);
}

TEST(JetDamage, RowSlotsBeyondThePageNameTheTable) {
    const TextsLayout layout = textsLayout();
    auto bytes = demoBytes();
    const std::size_t rowCount = layout.firstDataPage * kPage + 12;
    bytes[rowCount] = 0xFF;
    bytes[rowCount + 1] = 0x07;
    const auto database = openBytes(bytes);
    const Error error = errorOf([&] { readAllRows(*database, "TidxTexts"); });
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_NE(error.description().find("Seite " + std::to_string(layout.firstDataPage)),
              std::string::npos);
    EXPECT_NE(error.description().find("'TidxTexts'"), std::string::npos);
}

TEST(JetDamage, RowOffsetOutsideThePageIsDamage) {
    const TextsLayout layout = textsLayout();
    auto bytes = demoBytes();
    const std::size_t firstSlot = layout.firstDataPage * kPage + 14;
    bytes[firstSlot] = 0x00;
    bytes[firstSlot + 1] = 0x00;  // row 0 would start inside the page header
    const auto database = openBytes(bytes);
    EXPECT_EQ(errorOf([&] { readAllRows(*database, "TidxTexts"); }).number(), err::kDamaged);
}

TEST(JetDamage, OwnedPagesMapBeyondTheFileIsDamage) {
    const TextsLayout layout = textsLayout();
    auto bytes = demoBytes();
    // Point the owned-pages map (TDEF offset 55) at a page past the end of the file.
    const std::size_t mapRowId = layout.definitionPage * kPage + 55;
    bytes[mapRowId + 3] = 0x7F;
    const auto database = openBytes(bytes);
    const Error error = errorOf([&] { readAllRows(*database, "TidxTexts"); });
    EXPECT_EQ(error.number(), err::kDamaged);
    EXPECT_NE(error.description().find("Dateiende"), std::string::npos);
}

TEST(JetDamage, LongValueOfImpossibleKindIsDamage) {
    // The 420-character description is a single LVAL row: turn its header into kind 0xC0.
    auto bytes = demoBytes();
    const auto database = openBytes(bytes);
    const auto table = database->table("TidxTexts");
    ASSERT_EQ(table->columns[1].name, "Description");
    // Find a long-value header with kind 0x40 whose length is 420 compressed bytes + marker.
    const std::vector<std::uint8_t> header{0xA6, 0x01, 0x00, 0x40};
    ASSERT_EQ(test::replaceAll(bytes, header, {0xA6, 0x01, 0x00, 0xC0}), 1);
    const auto damaged = openBytes(bytes);
    EXPECT_EQ(errorOf([&] { readAllRows(*damaged, "TidxTexts"); }).number(), err::kDamaged);
}

TEST(JetDamage, UnknownTableIsObjectNotFound) {
    const auto database = openBytes(demoBytes());
    const Error error = errorOf([&] { database->table("NoSuchTable"); });
    EXPECT_EQ(error.number(), err::kObjectNotFound);
    EXPECT_NE(error.description().find("NoSuchTable"), std::string::npos);
}

}  // namespace
}  // namespace glossel::jet
