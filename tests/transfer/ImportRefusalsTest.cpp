// What the import refuses, each time before anything is written: the project's directory stays
// byte for byte as it was, without a backup, temporary or lock file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "platform/files/File.h"
#include "tests/TestDatabase.h"
#include "tests/transfer/ImportTestSupport.h"
#include "transfer/ProjectGuard.h"

namespace glossel::transfer::test {
namespace {

class ImportRefusal : public ImportFixture {
protected:
    // Runs the import and expects error `number` with `part` in its description, and the project
    // directory untouched.
    void expectRefused(const std::string& file, const std::vector<std::int32_t>& lcids, int number,
                       const std::string& part) {
        const DirectorySnapshot before = snapshot();
        const Error error = glossel::test::errorOf([&] { import(file, lcids); });
        EXPECT_EQ(error.number(), number) << error.description();
        EXPECT_NE(error.description().find(part), std::string::npos) << error.description();
        EXPECT_EQ(snapshot(), before) << error.description();
    }
};

TEST_F(ImportRefusal, LanguagesTheFileOrTheSystemDoesNotKnow) {
    const std::string file = exportTo("Texte.mdb", {1031});
    expectRefused(file, {1031, 1049}, 3265, "keine Spalte L1049");
    expectRefused(file, {0x7F7F}, 5, "Die Sprache 32639 kennt das System nicht");
    expectRefused(files_ + "/Texte.csv", {1031}, 3264, "keine Austauschdatei");
}

TEST_F(ImportRefusal, TextsThatCannotBeStoredAreListedTheFirstTwentyAndHowMany) {
    const std::string workbook = exportTo("Texte.xls", {1031, 1049});
    editExchange(workbook, {{1, {{"L1049", std::string("Двигатель 漢")}}},
                            {2, {{"L1031", std::string(256, 'x')}}}});
    const DirectorySnapshot before = snapshot();
    const Error two = glossel::test::errorOf([&] { import(workbook, {1031, 1049}); });
    EXPECT_EQ(two.number(), 3421);
    EXPECT_NE(two.description().find("ID 1, L1049: das Zeichen \"漢\""), std::string::npos)
        << two.description();
    EXPECT_NE(two.description().find("ID 2, L1031: der Text hat 256 Zeichen, die Spalte fasst 255"),
              std::string::npos)
        << two.description();
    EXPECT_EQ(snapshot(), before);

    const std::string file = exportTo("Texte.mdb", {1049});
    std::map<std::int64_t, std::map<std::string, Variant>> everyRow;
    for (const auto& [id, text] : columnById(file, "L1049")) {
        everyRow[id] = {{"L1049", std::string("漢")}};
    }
    editExchange(file, everyRow);
    expectRefused(file, {1049}, 3421, "27 Texte können nicht übernommen werden");
    expectRefused(file, {1049}, 3421, "… und 7 weitere.");
}

TEST_F(ImportRefusal, IdsAndCellsThatAreNoTexts) {
    const std::string database = exportTo("Texte.mdb", {1031});
    appendExchangeRow(database, {{"ID", std::int32_t{1}}, {"L1031", std::string("doppelt")}});
    expectRefused(database, {1031}, 3022, "(Datensatz 1 und Datensatz 28)");

    const std::string workbook = exportTo("Texte.xls", {1031});
    appendExchangeRow(workbook, {{"ID", std::string("1a")}, {"L1031", std::string("x")}});
    expectRefused(workbook, {1031}, 13, "Die ID in Zeile 30 der Austauschdatei");
    expectRefused(glossel::test::dataPath("import/xlwt_error_cell.xls"), {1031}, 13,
                  "Zelle B3 der Austauschdatei hält #N/A");
    expectRefused(glossel::test::dataPath("import/xlwt_boolean_cell.xls"), {1031}, 13,
                  "Zelle B3 der Austauschdatei hält WAHR");
}

TEST_F(ImportRefusal, ADatabaseWithSeveralTablesNoneOfThemTidxTexts) {
    // The demo project's tables TidxFonts and TidxInfo beside a TidxTexts renamed: which of the
    // three holds the texts is not for the import to guess.
    const std::string file = files_ + "/Tabellen.mdb";
    std::filesystem::copy_file(glossel::test::dataPath("jet/Demo.tvs"), file);
    renameTable(file, "TidxTexts", "Uebersetz");
    expectRefused(file, {1031}, 3078, "Die Datenbank '" + file + "' hat keine Tabelle 'TidxTexts'");
    expectRefused(file, {1031}, 3078, "'TidxFonts'");
    expectRefused(file, {1031}, 3078, "'Uebersetz'");
}

TEST_F(ImportRefusal, Jet3ProjectsAndMissingProjects) {
    const std::string file = exportTo("Texte.mdb", {1031});
    useProject("jet/real/testV1997.mdb");
    expectRefused(file, {1031}, 3027, "schreibt nur Jet-4-Datenbanken");
    std::filesystem::remove(project_);
    expectRefused(file, {1031}, 3024, "Demo.tvs");
}

// A project file or directory that nobody may write is refused by the dry run as by the import
// (also when the tests run as root, who could write them).
TEST_F(ImportRefusal, AWriteProtectedProjectOrDirectoryIsRefusedAlsoInADryRun) {
    const std::string file = exportTo("Texte.mdb", {1031});
    editExchange(file, {{1, {{"L1031", std::string("geändert")}}}});
    ImportOptions dryRun;
    dryRun.dryRun = true;
    namespace fs = std::filesystem;
    fs::permissions(project_, fs::perms::owner_read | fs::perms::group_read);
    expectRefused(file, {1031}, 3027, "Die Projektdatei '" + project_ + "' ist schreibgeschützt");
    EXPECT_EQ(glossel::test::errorOf([&] { import(file, {1031}, dryRun); }).number(), 3027);
    fs::permissions(project_, fs::perms::owner_write, fs::perm_options::add);

    fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec);
    const Error refused = glossel::test::errorOf([&] { import(file, {1031}, dryRun); });
    fs::permissions(directory_, fs::perms::owner_all);
    EXPECT_EQ(refused.number(), 3027);
    EXPECT_NE(refused.description().find("Das Verzeichnis des Projekts '" + directory_ + "'"),
              std::string::npos)
        << refused.description();
    // Nothing to change, nothing to refuse.
    fs::permissions(project_, fs::perms::owner_read);
    EXPECT_FALSE(import(exportTo("Gleich.mdb", {1031}), {1031}).written);
    fs::permissions(project_, fs::perms::owner_write, fs::perm_options::add);
}

// The review shows one state of the project; a project changed behind it is not written over.
TEST_F(ImportRefusal, AProjectChangedSinceItWasReadIsNotWritten) {
    const std::string file = exportTo("Texte.mdb", {1031});
    editExchange(file, {{1, {{"L1031", std::string("geändert")}}}});
    PreparedImport prepared = prepareImport(project_, file, {1031}, {});
    ASSERT_TRUE(prepared.summary().changesProject());
    {
        files::File project;
        ASSERT_EQ(project.open(project_, files::Access::readWrite), 0);
        // The same byte written again: the content is alike, the file was written all the same.
        std::uint8_t first[1];
        ASSERT_EQ(project.readAt(0, first), 0);
        ASSERT_EQ(project.writeAt(0, first), 0);
    }
    const DirectorySnapshot before = snapshot();
    const Error error = glossel::test::errorOf([&] { prepared.write(); });
    EXPECT_EQ(error.number(), 3197) << error.description();
    EXPECT_NE(error.description().find("wurde geändert, seit es gelesen wurde"), std::string::npos);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ImportRefusal, AProjectAnotherProgramOrAnotherImportHoldsOpen) {
    const std::string file = exportTo("Texte.mdb", {1031});
    editExchange(file, {{1, {{"L1031", std::string("geändert")}}}});
    const std::string lockFile = jetLockFilePath(project_);
    EXPECT_EQ(lockFile, directory_ + "/Demo.ldb");
    {
        files::File jetUsers;
        ASSERT_EQ(jetUsers.open(lockFile, files::Access::createNew), 0);
        // Jet locks a byte range per user of the database in its lock file.
        const int holder = ::open(lockFile.c_str(), O_RDWR);
        ASSERT_GE(holder, 0);
        struct flock range {};
        range.l_type = F_WRLCK;
        range.l_whence = SEEK_SET;
        range.l_start = 0x10000000;
        range.l_len = 1;
        ASSERT_EQ(::fcntl(holder, F_OFD_SETLK, &range), 0);
        expectRefused(file, {1031}, 3045, "in einem anderen Programm geöffnet");
        ::close(holder);
    }
    {
        files::File otherImport;
        ASSERT_EQ(otherImport.open(project_, files::Access::read), 0);
        ASSERT_EQ(otherImport.lockExclusive(), 0);
        expectRefused(file, {1031}, 3045, "importiert gerade ein anderes Glossel");
    }
    // A lock file nobody holds (left by a program that ended) is no obstacle.
    EXPECT_TRUE(import(file, {1031}).written);
}

}  // namespace
}  // namespace glossel::transfer::test
