// Test helpers for the registry and the environment: a registry file of a test's own, named by
// TESSVIA_REGISTRY while the test runs; regedit's file encoding; running a check without root's
// rights.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/TestFiles.h"

namespace glossel::systools::test {

// Sets (or, with std::nullopt, unsets) an environment variable and restores it at the end.
class ScopedVariable {
public:
    ScopedVariable(std::string name, const std::optional<std::string>& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

// "Registry.reg" in a fresh directory, named by TESSVIA_REGISTRY; the file does not exist yet.
class TempRegistry {
public:
    TempRegistry();

    const std::string& path() const { return path_; }
    // The directory the file lies in, without closing "/".
    std::string directory() const;
    void write(const std::string& bytes) const;
    void writeBytes(const std::vector<std::uint8_t>& bytes) const;
    std::string read() const;

private:
    glossel::test::TempDir dir_;
    std::string path_;
    ScopedVariable variable_;
};

// The text as regedit writes it: byte order mark, UTF-16 LE, every "\n" as CR LF.
std::vector<std::uint8_t> regeditBytes(const std::string& utf8);

// Runs `check` as a user without root's rights and returns its result (0 to 255). As root, it
// runs in a child process that has taken the identity of "nobody"; otherwise it runs as it is.
int runUnprivileged(const std::function<int()>& check);

}  // namespace glossel::systools::test
