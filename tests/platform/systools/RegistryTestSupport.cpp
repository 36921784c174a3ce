// Test helpers for the registry and the environment.
#include "tests/platform/systools/RegistryTestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/nls/Utf16.h"
#include "platform/systools/SysTools.h"

namespace glossel::systools::test {
namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

ScopedVariable::ScopedVariable(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) {
        saved_ = old;
    }
    if (value) {
        ::setenv(name_.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name_.c_str());
    }
}

ScopedVariable::~ScopedVariable() {
    if (saved_) {
        ::setenv(name_.c_str(), saved_->c_str(), 1);
    } else {
        ::unsetenv(name_.c_str());
    }
}

TempRegistry::TempRegistry()
    : path_(dir_.path("Registry.reg")), variable_(kRegistryVariable, path_) {}

std::string TempRegistry::directory() const {
    return std::filesystem::path(path_).parent_path().string();
}

void TempRegistry::write(const std::string& bytes) const {
    writeBytes({bytes.begin(), bytes.end()});
}

void TempRegistry::writeBytes(const std::vector<std::uint8_t>& bytes) const {
    glossel::test::writeBytes(path_, bytes);
}

std::string TempRegistry::read() const {
    const auto bytes = glossel::test::readBytes(path_);
    return {bytes.begin(), bytes.end()};
}

std::vector<std::uint8_t> regeditBytes(const std::string& utf8) {
    std::string crlf;
    for (char c : utf8) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    std::vector<std::uint8_t> bytes{0xFF, 0xFE};
    for (char16_t unit : nls::toUtf16(crlf)) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

int runUnprivileged(const std::function<int()>& check) {
    if (::geteuid() != 0) {
        return check();
    }
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("fork failed");
    }
    if (child == 0) {
        int result = 254;
        if (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0) {
            try {
                result = check() & 0xFF;
            } catch (...) {
                result = 253;
            }
        }
        ::_exit(result);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 255;
}

}  // namespace glossel::systools::test
