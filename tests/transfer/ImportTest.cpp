// The import of translated texts into a project: the round trip of an untouched export, changed
// texts in their stored form, the options, IDs the project lacks, a new language column, and a
// project whose TidxTexts has a primary key.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/dao/DBEngine.h"
#include "platform/nls/AnsiText.h"
#include "tests/TestFiles.h"
#include "tests/transfer/CodePageCharacters.h"
#include "tests/transfer/ImportTestSupport.h"
#include "transfer/ProjectReplacement.h"

namespace glossel::transfer::test {
namespace {

namespace fs = std::filesystem;

const std::string kRussianReadable = "Привет, мир";
const std::string kRussianStored = "Ïðèâåò, ìèð";  // its cp1251 bytes read as cp1252

using Import = ImportFixture;

TEST_F(Import, UntouchedExportOfEitherKindComesBackWithoutWritingAnything) {
    for (const auto& [name, lcids] : std::vector<std::pair<std::string, std::vector<std::int32_t>>>{
             {"Texte.xls", {1049, 1031, 1036}}, {"Texte.mdb", {1031, 1033, 1049, 1036}}}) {
        const std::string file = exportTo(name, lcids);
        const DirectorySnapshot before = snapshot();
        const ImportSummary summary = import(file, lcids);
        EXPECT_EQ(snapshot(), before) << name;
        EXPECT_FALSE(summary.written);
        ASSERT_EQ(summary.languages.size(), lcids.size());
        for (const LanguageSummary& language : summary.languages) {
            EXPECT_EQ(language.changed, 0u) << name << " L" << language.lcid;
            EXPECT_EQ(language.unchanged + language.emptySkipped, 27u);
        }
        EXPECT_EQ(summary.unknownIdCount, 0u);
    }
}

TEST_F(Import, ChangedTextsAreStoredInTheLanguagesCodePageAndThePreviousProjectIsKept) {
    const std::string file = exportTo("Texte.mdb", {1031, 1049});
    // ID 20 comes back with LF line breaks only, as LibreOffice writes them: unchanged.
    editExchange(file, {{1, {{"L1049", std::string(kRussianReadable)}}},
                        {2, {{"L1031", std::string("Motor 1 hält")}}},
                        {20, {{"L1031", std::string("Zeile 1\nZeile 2")}}}});
    const auto before = glossel::test::readBytes(project_);
    fs::permissions(project_,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ImportOptions options;
    options.listChanges = true;
    const ImportSummary summary = import(file, {1031, 1049}, options);
    EXPECT_EQ(fs::status(project_).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    EXPECT_TRUE(summary.written);
    EXPECT_EQ(summary.languages[0].changed, 1u);
    EXPECT_EQ(summary.languages[0].unchanged, 26u);
    EXPECT_EQ(summary.languages[1].changed, 1u);
    EXPECT_EQ(glossel::test::readBytes(backupPath(project_)), before);
    const auto russian = columnById(project_, "L1049");
    EXPECT_EQ(russian.at(1), Variant(kRussianStored));
    EXPECT_EQ(russian.at(2), Variant(std::string("Äâèãàòåëü 1 îñòàíîâëåí")));
    EXPECT_EQ(columnById(project_, "L1031").at(20), Variant(std::string("Zeile 1\r\nZeile 2")));
    ASSERT_EQ(summary.changes.size(), 2u);
    EXPECT_EQ(summary.changes[0].id, 1);
    EXPECT_EQ(summary.changes[0].oldText, "Двигатель 1 работает");
    EXPECT_EQ(summary.changes[0].newText, kRussianReadable);

    // Exported again, the text reads as it was imported.
    const std::string again = exportTo("Wieder.xls", {1049});
    EXPECT_EQ(columnById(again, "L1049").at(1), Variant(kRussianReadable));
}

TEST_F(Import, TextsOfEveryAnsiCodePageComeBackAsImportedWhenExportedAgain) {
    constexpr std::size_t kCharactersPerCell = 20;
    const std::string file = exportTo("Alle.mdb", {1033});
    std::vector<std::int32_t> lcids;
    {
        dao::Database database = dao::DBEngine().OpenDatabase(file);
        dao::TableDef table = database.TableDefs().Item("TidxTexts");
        for (const AnsiLanguage& language : ansiLanguages()) {
            dao::Field field = table.CreateField("L" + std::to_string(language.lcid), 10, 255);
            field.SetAllowZeroLength(true);
            table.Fields().Append(field);
            lcids.push_back(language.lcid);
        }
        database.Close();
    }
    // Each row gets the next characters of every code page, until they run out; the double-byte
    // code pages give a sample spread over all their characters.
    std::map<std::int64_t, std::map<std::string, Variant>> readable;
    std::map<std::string, std::map<std::int64_t, Variant>> stored;
    const auto ids = columnById(file, "ID");
    for (const AnsiLanguage& language : ansiLanguages()) {
        const std::vector<CodePageCharacter> characters = charactersOf(language.codePage);
        const std::size_t step =
            std::max<std::size_t>(1, characters.size() / (ids.size() * kCharactersPerCell));
        std::size_t next = 0;
        const std::string column = "L" + std::to_string(language.lcid);
        for (const auto& [id, unused] : ids) {
            std::string text;
            std::string bytes;
            for (std::size_t i = 0; i < kCharactersPerCell && next < characters.size(); ++i) {
                text += characters[next].text;
                bytes += characters[next].bytes;
                next += step;
            }
            if (!text.empty()) {
                readable[id][column] = text;
                stored[column][id] = nls::decodeAnsi(1252, bytes);
            }
        }
    }
    editExchange(file, readable);
    const ImportSummary summary = import(file, lcids);
    ASSERT_TRUE(summary.written);

    const std::string again = exportTo("Wieder.mdb", lcids);
    for (const auto& [column, values] : stored) {
        const auto inProject = columnById(project_, column);
        const auto exported = columnById(again, column);
        for (const auto& [id, text] : values) {
            EXPECT_EQ(inProject.at(id), text) << column << " ID " << id;
            EXPECT_EQ(exported.at(id), readable[id][column]) << column << " ID " << id;
        }
    }
}

TEST_F(Import, DryRunKeepExistingAndAllowEmptyDecideWhatIsWritten) {
    const std::string file = exportTo("Texte.mdb", {1033});
    editExchange(file, {{1, {{"L1033", std::string("Engine 1 running")}}},
                        {15, {{"L1033", std::string("Only German so far")}}},
                        {2, {{"L1033", Null{}}}}});
    const DirectorySnapshot before = snapshot();

    ImportOptions dryRun;
    dryRun.dryRun = true;
    const ImportSummary checked = import(file, {1033}, dryRun);
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(checked.written);
    EXPECT_EQ(checked.languages[0].changed, 2u);
    EXPECT_EQ(checked.languages[0].emptySkipped, 2u);  // IDs 2 and 14

    ImportOptions keep;
    keep.keepExisting = true;
    const ImportSummary kept = import(file, {1033}, keep);
    EXPECT_EQ(kept.languages[0].changed, 1u);
    EXPECT_EQ(kept.languages[0].keptExisting, 1u);
    auto english = columnById(project_, "L1033");
    EXPECT_EQ(english.at(15), Variant(std::string("Only German so far")));
    EXPECT_EQ(english.at(1), Variant(std::string("Motor 1 running")));
    EXPECT_EQ(english.at(2), Variant(std::string("Motor 1 stopped")));

    ImportOptions empty;
    empty.allowEmpty = true;
    const ImportSummary emptied = import(file, {1033}, empty);
    EXPECT_EQ(emptied.languages[0].emptySkipped, 0u);
    english = columnById(project_, "L1033");
    EXPECT_EQ(english.at(2), Variant(std::string()));  // the column allows zero length
    EXPECT_EQ(english.at(1), Variant(std::string("Engine 1 running")));
}

TEST_F(Import, ARealIdZeroInADatabaseIsATextOfTheProject) {
    // In a database, ID 0 with every other cell empty is no filler row, as in a workbook.
    editExchange(project_, {{0, {{"Description", Null{}}}}});
    const std::string file = exportTo("Texte.mdb", {1033});
    editExchange(file, {{0, {{"L1033", std::string()}}}});
    ImportOptions empty;
    empty.allowEmpty = true;
    import(file, {1033}, empty);
    EXPECT_EQ(columnById(project_, "L1033").at(0), Variant(std::string()));
}

TEST_F(Import, IdsTheProjectLacksAreCountedAndTheFirstTenListed) {
    const std::string file = exportTo("Texte.mdb", {1031});
    for (std::int32_t id = 5000; id < 5012; ++id) {
        appendExchangeRow(file, {{"ID", id}, {"L1031", std::string("neu")}});
    }
    const ImportSummary summary = import(file, {1031});
    EXPECT_EQ(summary.unknownIdCount, 12u);
    EXPECT_EQ(summary.firstUnknownIds, (std::vector<std::int64_t>{5000, 5001, 5002, 5003, 5004,
                                                                  5005, 5006, 5007, 5008, 5009}));
    EXPECT_FALSE(summary.written);
    const std::string text = describeImport(summary, {});
    EXPECT_NE(text.find("\nIDs, die das Projekt nicht hat (12, übersprungen): 5000, 5001, 5002, "
                        "5003, 5004, 5005, 5006, 5007, 5008, 5009, …\n"),
              std::string::npos)
        << text;
}

TEST_F(Import, ALanguageTheProjectLacksBecomesANewLastColumnLikeTheExportsColumns) {
    const std::string file = exportTo("Texte.mdb", {1031});
    {
        dao::Database database = dao::DBEngine().OpenDatabase(file);
        dao::TableDef table = database.TableDefs().Item("TidxTexts");
        dao::Field field = table.CreateField("L1045", 10, 255);
        field.SetAllowZeroLength(true);
        table.Fields().Append(field);
        database.Close();
    }
    editExchange(file, {{1, {{"L1045", std::string("Silnik 1 pracuje ąęłńóśźż")}}},
                        {2, {{"L1045", std::string()}}}});
    const ImportSummary summary = import(file, {1045});
    ASSERT_TRUE(summary.languages[0].newColumn);
    EXPECT_EQ(summary.languages[0].changed, 1u);

    dao::Database project = dao::DBEngine().OpenDatabase(project_);
    const dao::TableDef table = project.TableDefs().Item("TidxTexts");
    const dao::Fields& fields = table.Fields();
    const dao::Field& added = fields.Item(fields.Count() - 1);
    EXPECT_EQ(added.Name(), "L1045");
    EXPECT_EQ(added.Type(), 10);
    EXPECT_EQ(added.Size(), 255);
    EXPECT_TRUE(added.AllowZeroLength());
    project.Close();
    const auto polish = columnById(project_, "L1045");
    EXPECT_EQ(polish.at(1), Variant(std::string("Silnik 1 pracuje ¹ê³ñóœŸ¿")));
    EXPECT_TRUE(isNull(polish.at(2)));
    EXPECT_TRUE(isNull(polish.at(3)));
}

TEST_F(Import, AProjectWithAPrimaryKeyOnIdTakesNewColumnsAndChangedTexts) {
    const std::string file = exportTo("Texte.xls", {1031, 1049});
    useProject("jet/PrimaryKey.tvs");
    const ImportSummary added = import(file, {1031, 1049});
    EXPECT_TRUE(added.languages[0].newColumn);
    EXPECT_EQ(added.languages[0].changed, 6u);
    EXPECT_EQ(added.unknownIdCount, 21u);

    editExchange(file, {{3, {{"L1049", std::string(kRussianReadable)}}}});
    const ImportSummary changed = import(file, {1049});
    EXPECT_EQ(changed.languages[0].changed, 1u);
    EXPECT_EQ(changed.languages[0].unchanged, 5u);
    const auto russian = columnById(project_, "L1049");
    EXPECT_EQ(russian.at(3), Variant(kRussianStored));
    EXPECT_EQ(columnById(project_, "FontName").at(5), Variant(std::string("Arial Black")));
}

}  // namespace
}  // namespace glossel::transfer::test
