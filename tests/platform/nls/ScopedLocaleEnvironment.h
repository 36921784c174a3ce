// Test helper: clears the environment variables the national-language layer reads, lets a test
// set some, and restores all of them when it goes out of scope.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace glossel::nls::test {

class ScopedLocaleEnvironment {
public:
    ScopedLocaleEnvironment() {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_CTYPE", "LANG", "TESSVIA_ACP"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
    }

    ~ScopedLocaleEnvironment() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

    ScopedLocaleEnvironment(const ScopedLocaleEnvironment&) = delete;
    ScopedLocaleEnvironment& operator=(const ScopedLocaleEnvironment&) = delete;

    void set(const char* name, const char* value) { setenv(name, value, 1); }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace glossel::nls::test
