// glossel-cli import as a script sees it: the summary on stdout and exit 0, errors on stderr and
// exit 1 with nothing written, usage errors with exit 2, and the list of changes as CSV.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/CliRunner.h"
#include "tests/ImportedProjectCheck.h"
#include "tests/TestFiles.h"

namespace glossel::cli {
namespace {

using test::CliResult;
using test::runCli;
namespace fs = std::filesystem;

constexpr char kWestern[] = "TESSVIA_ACP=1252";

class ImportCli : public ::testing::Test {
protected:
    ImportCli() {
        fs::copy_file(test::dataPath("jet/Demo.tvs"), project_);
        fs::permissions(project_, fs::perms::owner_write, fs::perm_options::add);
    }

    CliResult import(const std::string& arguments) {
        return runCli("import '" + project_ + "' " + arguments, kWestern);
    }

    std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    test::TempDir dir_;
    std::string project_ = dir_.path("Demo.tvs");
};

TEST_F(ImportCli, SummaryOnStdoutAndTheChangesAsCsv) {
    const std::string changes = dir_.path("changes.csv");
    const std::string before = dir_.path("Vorher.tvs");
    fs::copy_file(project_, before);
    const CliResult run = import("'" + test::dataPath("import/libreoffice_texts.xls") +
                                 "' --language 1031 --language 1049 --changes '" + changes + "'");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(test::readBytes(project_), test::readBytes(before));
    EXPECT_TRUE(test::onlyImportedColumnsChanged(before, project_, {1031, 1049}));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "German (Germany) [1031]: 2 Texte geändert, 2 unverändert, keine leeren Zellen "
              "übersprungen\n"
              "Russian (Russia) [1049]: kein Text geändert, 3 unverändert, 1 leere Zelle "
              "übersprungen\n"
              "IDs, die das Projekt nicht hat: keine\n"
              "Das Projekt wurde geschrieben; das vorige liegt als .bak daneben.\n");
    EXPECT_EQ(read(changes),
              "ID,Sprache,Alter Text,Neuer Text\r\n"
              "3,L1031,\"Pumpendruck zu hoch\",\"Pumpendruck sehr hoch\"\r\n"
              "22,L1031,\"Tessvia™ Bediengerät\",\"Tessvia™ Bedienpult\"\r\n");
    EXPECT_TRUE(fs::exists(project_ + ".bak"));
}

TEST_F(ImportCli, DryRunAndErrorsWriteNothing) {
    const auto before = test::readBytes(project_);
    const CliResult dry = import("'" + test::dataPath("import/xlwt_texts.xls") +
                                 "' --language 1031 --dry-run --keep-existing --allow-empty");
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out,
              "German (Germany) [1031]: kein Text geändert, keiner unverändert, keine leeren "
              "Zellen übersprungen, 4 vorhandene Texte beibehalten\n"
              "IDs, die das Projekt nicht hat (übersprungen): 9999\n"
              "Keine Änderungen: das Projekt bleibt unverändert.\n");

    const CliResult missing =
        import("'" + test::dataPath("import/xlwt_texts.xls") + "' --language 1036");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err.rfind("3265: ", 0), 0u) << missing.err;
    EXPECT_EQ(test::readBytes(project_), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path("")), fs::directory_iterator()), 1);
}

TEST_F(ImportCli, ADryRunFailsAsTheImportWouldOnAWriteProtectedProject) {
    fs::permissions(project_, fs::perms::owner_read);
    const auto before = test::readBytes(project_);
    const std::string workbook = "'" + test::dataPath("import/libreoffice_texts.xls") + "'";
    const CliResult dry = import(workbook + " --language 1031 --dry-run");
    const CliResult real = import(workbook + " --language 1031");
    EXPECT_EQ(dry.status, 1);
    EXPECT_EQ(dry.out, "");
    EXPECT_EQ(dry.err.rfind("3027: Die Projektdatei '" + project_ + "' ist schreibgeschützt", 0),
              0u)
        << dry.err;
    EXPECT_EQ(real.status, 1);
    EXPECT_EQ(real.err, dry.err);
    EXPECT_EQ(test::readBytes(project_), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path("")), fs::directory_iterator()), 1);
}

TEST_F(ImportCli, UsageErrorsExitWithTwo) {
    EXPECT_EQ(runCli("import a b").status, 2);
    EXPECT_EQ(runCli("import a b --language").status, 2);
    EXPECT_EQ(runCli("import a b --language 1031 --language 1031").status, 2);
    EXPECT_EQ(runCli("import a b --language 1031 --dry-run --dry-run").status, 2);
    EXPECT_EQ(runCli("import a b --language 1031 --changes").status, 2);
    EXPECT_EQ(runCli("import a b --language 1031 --force").status, 2);
    EXPECT_NE(runCli("--help").out.find("glossel-cli import PROJEKT DATEI"), std::string::npos);
}

}  // namespace
}  // namespace glossel::cli
