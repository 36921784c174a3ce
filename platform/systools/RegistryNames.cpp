// Case folding and splitting of registry paths.
#include "platform/systools/RegistryNames.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>

namespace glossel::systools {

std::string foldName(std::string_view name) {
    std::string folded;
    folded.reserve(name.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(name.data());
    const auto length = static_cast<std::int32_t>(name.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            c = 0xFFFD;
        }
        c = u_foldCase(c, U_FOLD_CASE_DEFAULT);
        char encoded[U8_MAX_LENGTH];
        std::int32_t written = 0;
        U8_APPEND_UNSAFE(encoded, written, c);
        folded.append(encoded, static_cast<std::size_t>(written));
    }
    return folded;
}

std::optional<std::vector<std::string>> splitKeyPath(std::string_view path) {
    std::vector<std::string> names;
    if (path.empty()) {
        return names;
    }
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find('\\', start);
        const std::string_view name = path.substr(start, end - start);
        if (name.empty()) {
            return std::nullopt;
        }
        names.emplace_back(name);
        if (end == std::string_view::npos) {
            return names;
        }
        start = end + 1;
    }
}

bool isAtOrBelow(const std::vector<std::string>& path, const std::vector<std::string>& key) {
    return path.size() >= key.size() && std::equal(key.begin(), key.end(), path.begin());
}

}  // namespace glossel::systools
