// glossel-cli projects and path as a script sees them: rows on stdout, nothing on stderr, the
// registry changed only with --prune.
#include <gtest/gtest.h>

#include "tests/CliRunner.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::cli {
namespace {

using test::CliResult;

CliResult runCli(const std::string& registry, const std::string& arguments) {
    return test::runCli(arguments, "TESSVIA_REGISTRY='" + registry + "'");
}

class ProjectCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        registry_.write(
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Linie1]\r\n"
            "\"ProjectType\"=\"Single\"\r\n\"Path\"=\"" +
            dir_ +
            "\"\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Alt]\r\n"
            "\"ProjectType\"=\"Server\"\r\n\"Path\"=\"" +
            dir_ +
            "\"\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Zahl]\r\n"
            "\"ProjectType\"=\"32\"\r\n\r\n");
        glossel::test::writeBytes(dir_ + "/Linie1.tvs", {1});
    }

    systools::test::TempRegistry registry_;
    const std::string dir_ = registry_.directory();
};

TEST_F(ProjectCommandsTest, ProjectsPrunesOnlyWhenAsked) {
    const std::string before = registry_.read();
    for (const char* arguments : {"projects", "projects --prune"}) {
        const CliResult run = runCli(registry_.path(), arguments);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, "Linie1\t" + dir_ + "\tSingle\n");
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(registry_.read() == before, std::string(arguments) == "projects") << arguments;
    }
    EXPECT_EQ(registry_.read().find("Alt]"), std::string::npos);
    EXPECT_NE(registry_.read().find("Zahl]"), std::string::npos);
}

TEST_F(ProjectCommandsTest, PathPrintsTheRegisteredDirectory) {
    EXPECT_EQ(runCli(registry_.path(), "path linie1").out, dir_ + "\n");
    EXPECT_EQ(runCli(registry_.path(), "path Zahl").out, "\n");
    EXPECT_EQ(runCli(registry_.path(), "path").status, 2);
}

TEST_F(ProjectCommandsTest, MalformedRegistryIsReportedWithItsLine) {
    registry_.write("Windows Registry Editor Version 5.00\n\n\"Path\"=\"x\"\n");
    const CliResult run = runCli(registry_.path(), "projects");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("1015: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("Zeile 3"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace glossel::cli
