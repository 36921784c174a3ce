// Running glossel-cli from tests.
#include "tests/CliRunner.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "tests/TestFiles.h"

namespace glossel::test {

CliResult runCli(const std::string& arguments, const std::string& environment) {
    TempDir dir;
    const std::string errPath = dir.path("stderr");
    const std::string command = "LC_ALL=C " + environment + " " + std::string(GLOSSEL_CLI) + " " +
                                arguments + " 2>'" + errPath + "' </dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    CliResult run{};
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        run.out.append(buffer.data(), n);
    }
    run.status = WEXITSTATUS(::pclose(pipe));
    std::ifstream err(errPath);
    run.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    return run;
}

}  // namespace glossel::test
