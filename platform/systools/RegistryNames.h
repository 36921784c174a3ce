// Key and value names as the registry compares them: without regard to letter case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glossel::systools {

// The name with every character case-folded on its own (simple folding, as the registry
// compares names character by character).
std::string foldName(std::string_view name);

// The key names of a path joined by "\"; an empty path names the hive itself. std::nullopt when
// a name is empty (a doubled, leading or trailing "\"): such a path names no key.
std::optional<std::vector<std::string>> splitKeyPath(std::string_view path);

// True when `path` is `key` or lies below it; both hold folded names.
bool isAtOrBelow(const std::vector<std::string>& path, const std::vector<std::string>& key);

}  // namespace glossel::systools
