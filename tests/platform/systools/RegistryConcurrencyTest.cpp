// Two processes pruning the same registry file at once, round after round: every registration
// whose file is missing goes, and nothing else is lost or brought back, byte for byte.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include "tests/platform/systools/RegistryTestSupport.h"

extern char** environ;

namespace glossel::systools {
namespace {

constexpr int kRounds = 60;
constexpr int kProjectCount = 40;  // every fifth one has its file; the others are stale

std::string registration(const std::string& name, const std::string& directory) {
    return "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\" + name +
           "]\r\n\"ProjectType\"=\"Single\"\r\n\"Path\"=\"" + directory + "\"\r\n\r\n";
}

pid_t startPruning() {
    const char* helper = GLOSSEL_PRUNE_HELPER;
    char* const arguments[] = {const_cast<char*>(helper), nullptr};
    pid_t child = 0;
    EXPECT_EQ(::posix_spawn(&child, helper, nullptr, nullptr, arguments, environ), 0);
    return child;
}

int exitStatus(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RegistryConcurrency, TwoPruningProcessesLoseNothingElse) {
    test::TempRegistry registry;
    const std::string directory = registry.directory();
    const std::string head =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "; Maschinenregistrierung\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"Setting\"=dword:00000001\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects]\r\n\r\n";
    const std::string tail = "; Ende\r\n[HKEY_LOCAL_MACHINE\\Software\\Zuletzt]\r\n";
    std::string full = head;
    std::string expected = head;
    for (int i = 0; i < kProjectCount; ++i) {
        const std::string name = "Projekt" + std::to_string(i);
        full += registration(name, directory);
        if (i % 5 == 0) {
            glossel::test::writeBytes(directory + "/" + name + ".tvs", {1});
            expected += registration(name, directory);
        }
    }
    full += tail;
    expected += tail;

    for (int round = 0; round < kRounds; ++round) {
        registry.write(full);
        const pid_t first = startPruning();
        const pid_t second = startPruning();
        ASSERT_EQ(exitStatus(first), 0);
        ASSERT_EQ(exitStatus(second), 0);
        ASSERT_EQ(registry.read(), expected) << "round " << round;
    }
}

}  // namespace
}  // namespace glossel::systools
