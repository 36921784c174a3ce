// Applying the sections of a ".reg" file.
#include "platform/systools/RegistryTree.h"

#include "platform/systools/RegistryNames.h"

namespace glossel::systools {
namespace {

void applyValues(RegistryKey& key, const std::vector<RegValueEntry>& values) {
    for (const RegValueEntry& entry : values) {
        const std::string name = foldName(entry.name);
        if (entry.value) {
            key.values[name] = *entry.value;
        } else {
            key.values.erase(name);
        }
    }
}

void removeKey(RegistryKey& root, const std::vector<std::string>& path) {
    RegistryKey* parent = &root;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const auto child = parent->subKeys.find(foldName(path[i]));
        if (child == parent->subKeys.end()) {
            return;
        }
        parent = child->second.get();
    }
    parent->subKeys.erase(foldName(path.back()));
}

RegistryKey& createKey(RegistryKey& root, const std::vector<std::string>& path) {
    RegistryKey* key = &root;
    for (const std::string& name : path) {
        auto& child = key->subKeys[foldName(name)];
        if (!child) {
            child = std::make_unique<RegistryKey>();
            child->name = name;
        }
        key = child.get();
    }
    return *key;
}

}  // namespace

RegistryTree::RegistryTree(const RegDocument& document) {
    for (const RegSection& section : document.sections) {
        if (section.removesKey) {
            removeKey(root_, section.path);
        } else {
            applyValues(createKey(root_, section.path), section.values);
        }
    }
}

const RegistryKey* RegistryTree::find(const std::vector<std::string>& path) const {
    const RegistryKey* key = &root_;
    for (const std::string& name : path) {
        const auto child = key->subKeys.find(foldName(name));
        if (child == key->subKeys.end()) {
            return nullptr;
        }
        key = child->second.get();
    }
    return key;
}

}  // namespace glossel::systools
