// Test helper: runs glossel-cli as a script would, with a closed stdin and the C locale, and
// returns its exit status, stdout and stderr.
#pragma once

#include <string>

namespace glossel::test {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

// `environment` is put before the command, e.g. "TESSVIA_REGISTRY='/tmp/x.reg'".
CliResult runCli(const std::string& arguments, const std::string& environment = "");

}  // namespace glossel::test
