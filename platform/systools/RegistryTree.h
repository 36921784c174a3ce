// The registry that a ".reg" file describes: its sections applied in file order to an empty
// registry, as an import would apply them. Names are looked up without regard to letter case.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/systools/RegDocument.h"

namespace glossel::systools {

struct RegistryKey {
    std::string name;  // as written where the key was first created
    // Both by folded name; subkeys therefore come in the order of their folded names.
    std::map<std::string, std::unique_ptr<RegistryKey>> subKeys;
    std::map<std::string, RegValue> values;
};

class RegistryTree {
public:
    RegistryTree() = default;
    explicit RegistryTree(const RegDocument& document);

    // The key at `path` (hive name, then key names, in any letter case), or nullptr.
    const RegistryKey* find(const std::vector<std::string>& path) const;

private:
    RegistryKey root_;
};

}  // namespace glossel::systools
