// Test helpers: fixture paths, temporary directories, and byte-level edits of fixture copies.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace glossel::test {

std::string dataPath(const std::string& relative);  // below tests/data
std::vector<std::uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Replaces every occurrence of `from` by `to` (same length); returns how many it replaced.
int replaceAll(std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& from,
               const std::vector<std::uint8_t>& to);
// A name as Jet 4 stores it in a definition: UTF-16LE.
std::vector<std::uint8_t> utf16Le(const std::string& ascii);

// A fresh directory, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

}  // namespace glossel::test
