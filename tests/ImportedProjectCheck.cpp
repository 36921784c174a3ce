// Runs the import checker on a project before and after an import.
#include "tests/ImportedProjectCheck.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "tests/TestFiles.h"

namespace glossel::test {

::testing::AssertionResult onlyImportedColumnsChanged(const std::string& before,
                                                      const std::string& after,
                                                      const std::vector<std::int32_t>& lcids) {
    if (readBytes(before) == readBytes(after)) {
        return ::testing::AssertionSuccess();
    }
    std::string command = "/usr/bin/python3 '" + std::string(GLOSSEL_IMPORT_CHECK) + "' '" +
                          before + "' '" + after + "'";
    for (const std::int32_t lcid : lcids) {
        command += " L" + std::to_string(lcid);
    }
    FILE* pipe = ::popen((command + " 2>&1 </dev/null").c_str(), "r");
    if (pipe == nullptr) {
        return ::testing::AssertionFailure() << "cannot run " << command;
    }
    std::string report;
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        report.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "mdbtools or mdb-reader find more changed than the imported columns in " << after
           << ":\n"
           << report;
}

}  // namespace glossel::test
