// Test helpers for files.
#include "tests/TestFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <unistd.h>

namespace glossel::test {

std::string dataPath(const std::string& relative) {
    return std::string(GLOSSEL_TEST_DATA) + "/" + relative;
}

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

int replaceAll(std::vector<std::uint8_t>& bytes, const std::vector<std::uint8_t>& from,
               const std::vector<std::uint8_t>& to) {
    int count = 0;
    for (auto at = bytes.begin();
         (at = std::search(at, bytes.end(), from.begin(), from.end())) != bytes.end();
         at += static_cast<std::ptrdiff_t>(from.size())) {
        std::copy(to.begin(), to.end(), at);
        ++count;
    }
    return count;
}

std::vector<std::uint8_t> utf16Le(const std::string& ascii) {
    std::vector<std::uint8_t> bytes;
    for (char c : ascii) {
        bytes.push_back(static_cast<std::uint8_t>(c));
        bytes.push_back(0);
    }
    return bytes;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "glossel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    dir_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

}  // namespace glossel::test
