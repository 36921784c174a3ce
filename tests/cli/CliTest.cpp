// glossel-cli as a script sees it: stdout, stderr and exit status, and the CSV value forms.
#include <gtest/gtest.h>

#include <filesystem>

#include "GlosselVersion.h"
#include "cli/CsvFormat.h"
#include "tests/CliRunner.h"
#include "tests/OtherReaders.h"
#include "tests/TestFiles.h"

namespace glossel::cli {
namespace {

using test::CliResult;
using test::runCli;

TEST(Cli, LanguagesListsTheDemoProjectSorted) {
    const CliResult run = runCli("languages " + test::dataPath("jet/Demo.tvs"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "English (United States) [1033]\nFrench (France) [1036]\n"
              "German (Germany) [1031]\nRussian (Russia) [1049]\n");
}

TEST(Cli, ErrorsGoToStderrAsNumberAndDescription) {
    const CliResult run = runCli("languages /no/such/Project.tvs");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("3024: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("/no/such/Project.tvs"), std::string::npos);

    const CliResult unknownTable = runCli("dump " + test::dataPath("jet/Demo.tvs") + " Nope");
    EXPECT_EQ(unknownTable.status, 1);
    EXPECT_EQ(unknownTable.err.rfind("3078: ", 0), 0u) << unknownTable.err;
}

TEST(Cli, UsageErrorsExitWithTwo) {
    EXPECT_EQ(runCli("").status, 2);
    EXPECT_EQ(runCli("export a").status, 2);
    EXPECT_EQ(runCli("export a b --language").status, 2);
    EXPECT_EQ(runCli("export a b --language deutsch").status, 2);
    EXPECT_EQ(runCli("export a b").status, 2);
    EXPECT_EQ(runCli("export a b --language 1031 --language 1049 --language 1031").status, 2);
    EXPECT_EQ(runCli("bogus").status, 2);
    test::TempDir dir;
    const CliResult unknown = runCli("export " + test::dataPath("jet/Demo.tvs") + " " +
                                     dir.path("x.mdb") + " --language 1040");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("1040"), std::string::npos);
    EXPECT_EQ(runCli("dump").status, 2);
    const CliResult help = runCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("languages"), std::string::npos);
}

TEST(Cli, UsageErrorSaysWhatIsWrongAndPointsToHelp) {
    const CliResult run = runCli("bogus");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "glossel-cli: unbekannter Befehl oder falsche Zahl von Argumenten: bogus\n"
              "Aufruf: glossel-cli --help\n");

    const CliResult missing = runCli("");
    EXPECT_EQ(missing.err, "glossel-cli: Befehl fehlt\nAufruf: glossel-cli --help\n");
}

TEST(Cli, AnXliffExportNeedsASourceAmongItsLanguagesAndATarget) {
    test::TempDir dir;
    const std::string project = test::dataPath("jet/Demo.tvs");
    const auto exported = [&](const std::string& target, const std::string& languages) {
        return runCli("export " + project + " " + dir.path(target) + " " + languages);
    };
    const std::pair<std::string, std::string> misuses[] = {
        {"--language 1031 --language 1049", "braucht --source LCID"},
        {"--language 1031 --language 1049 --source 1033", "1033 ist keine der Sprachen"},
        {"--language 1031 --source 1031", "mindestens eine Zielsprache"},
        {"--language 1031 --source 1031 --source 1049", "höchstens einmal --source"},
    };
    for (const auto& [languages, said] : misuses) {
        const CliResult run = exported("T.xlf", languages);
        EXPECT_EQ(run.status, 2) << languages;
        EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    }
    const CliResult workbook = exported("T.xls", "--language 1031 --source 1031");
    EXPECT_EQ(workbook.status, 2);
    EXPECT_NE(workbook.err.find("--source gilt nur für XLIFF-Dateien"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.path("T.xlf")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("T.xls")));

    const CliResult run = exported("T.xlf", "--source 1049 --language 1031 --language 1049");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Sprache erfolgreich exportiert!\n");
    EXPECT_EQ(test::xliffSchemaErrors(dir.path("T.xlf")), "");
}

TEST(Cli, VersionIsTheProjectVersion) {
    const CliResult run = runCli("--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("glossel-cli ") + kVersion + "\n");
    EXPECT_EQ(run.err, "");
}

TEST(Cli, TableWithoutRowsPrintsItsHeader) {
    const CliResult run = runCli("dump " + test::dataPath("jet/Export.mdb") + " TidxTexts");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "\"ID\",\"Description\"\n");
}

TEST(Cli, ColumnsShowTypesSizesAndProperties) {
    const CliResult run = runCli("columns " + test::dataPath("jet/ExportMemo.mdb") + " TidxTexts");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "ID\tLong\t4\nDescription\tMemo\t0\tAllowZeroLength\n");
}

TEST(CsvFormat, TextsAreQuotedAndNullIsEmpty) {
    EXPECT_EQ(csvField(std::string("say \"hi\", then\r\nleave")),
              "\"say \"\"hi\"\", then\r\nleave\"");
    EXPECT_EQ(csvField(std::string()), "\"\"");
    EXPECT_EQ(csvField(Null{}), "");
    EXPECT_EQ(csvField(true), "TRUE");
}

TEST(CsvFormat, NumbersAreShortestPlainDecimals) {
    EXPECT_EQ(csvField(0.1f), "0.1");
    EXPECT_EQ(csvField(444.555), "444.555");
    EXPECT_EQ(csvField(1e20), "100000000000000000000");
    EXPECT_EQ(csvField(std::int16_t{-32768}), "-32768");
    EXPECT_EQ(csvField(Currency{35000}), "3.5");
    EXPECT_EQ(csvField(Currency{-1}), "-0.0001");
    EXPECT_EQ(csvField(Currency{0}), "0");
    EXPECT_EQ(csvField(Decimal{.negative = true, .scale = 2, .magnitude = {0, 0, 0, 12345}}),
              "-123.45");
    EXPECT_EQ(csvField(Decimal{.negative = false, .scale = 0, .magnitude = {1, 0, 0, 0}}),
              "79228162514264337593543950336");
}

TEST(CsvFormat, DatesCountFromDecember1899WithAPositiveTimeOfDay) {
    EXPECT_EQ(formatDateTime(0), "1899-12-30 00:00:00");
    EXPECT_EQ(formatDateTime(2.5), "1900-01-01 12:00:00");
    EXPECT_EQ(formatDateTime(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(formatDateTime(45352.354166666664), "2024-03-01 08:30:00");
    EXPECT_EQ(formatDateTime(1.0 - 1e-9), "1899-12-31 00:00:00");
}

TEST(CsvFormat, BinaryIsHexAndGuidInRegistryForm) {
    EXPECT_EQ(csvField(Bytes{0x00, 0xAB, 0x10}), "00AB10");
    Guid guid;
    guid.bytes = {0x78, 0x56, 0x34, 0x12, 0x34, 0x12, 0x78, 0x56,
                  0x9A, 0xBC, 0xDE, 0xF0, 0x01, 0x23, 0x45, 0x67};
    EXPECT_EQ(csvField(guid), "{12345678-1234-5678-9ABC-DEF001234567}");
}

}  // namespace
}  // namespace glossel::cli
