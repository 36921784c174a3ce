// libFuzzer target: reads mutated bytes as a ".reg" registry file and removes each key it holds
// (up to 16), one at a time. Damage must surface as glossel::Error, never as a crash or stray
// read. A removal must give a file that reads again, holding the same registry without that key
// (key names compared without regard to case); any difference aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/systools/RegKeyRemoval.h"
#include "platform/systools/RegistryNames.h"
#include "platform/systools/RegistryTree.h"

namespace {

using namespace glossel::systools;

constexpr std::size_t kMaxRemovals = 16;

void collectKeys(const RegistryKey& key, std::vector<std::string>& path,
                 std::vector<std::vector<std::string>>& keys) {
    for (const auto& [folded, subKey] : key.subKeys) {
        path.push_back(subKey->name);
        if (path.size() >= 2 && keys.size() < kMaxRemovals) {
            keys.push_back(path);
        }
        collectKeys(*subKey, path, keys);
        path.pop_back();
    }
}

// The registry below `key` as text, one line per key (its full path) and per value, leaving out
// the key at `skip`. Hives are not listed for themselves: a hive without keys is no loss.
void dump(const RegistryKey& key, std::vector<std::string>& path,
          const std::vector<std::string>& skip, std::string& out) {
    std::string joined;
    for (const std::string& name : path) {
        joined += name + "\\";
    }
    if (path.size() >= 2) {
        out += "key " + joined + "\n";
    }
    for (const auto& [name, value] : key.values) {
        out += "value " + joined + name + " " + std::to_string(value.type) + " " + value.text +
               " " + std::string(value.data.begin(), value.data.end()) + "\n";
    }
    for (const auto& [folded, subKey] : key.subKeys) {
        path.push_back(folded);
        if (path != skip) {
            dump(*subKey, path, skip, out);
        }
        path.pop_back();
    }
}

std::string dumpWithout(const RegistryKey& root, const std::vector<std::string>& skip) {
    std::vector<std::string> path;
    std::string out;
    dump(root, path, skip, out);
    return out;
}

const RegistryKey& rootOf(const RegistryTree& tree) {
    return *tree.find({});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    RegDocument document;
    try {
        document = parseRegDocument(bytes, "fuzz.reg");
    } catch (const glossel::Error&) {
        return 0;
    }
    const RegistryTree tree(document);
    std::vector<std::string> path;
    std::vector<std::vector<std::string>> keys;
    collectKeys(rootOf(tree), path, keys);
    for (const auto& key : keys) {
        const auto changed = bytesWithoutKey(bytes, document, key);
        if (!changed) {
            std::abort();  // the key is there, so it must go
        }
        std::vector<std::string> foldedKey;
        for (const std::string& name : key) {
            foldedKey.push_back(foldName(name));
        }
        try {
            const RegistryTree after(parseRegDocument(*changed, "fuzz.reg"));
            if (dumpWithout(rootOf(after), {}) != dumpWithout(rootOf(tree), foldedKey)) {
                std::abort();
            }
        } catch (const glossel::Error&) {
            std::abort();
        }
    }
    return 0;
}
