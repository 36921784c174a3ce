// RegistryTools of the utility component: values, subkeys and key removal in the machine
// registry, kept in a ".reg" file (RegistryFile). Only HKEY_LOCAL_MACHINE is offered. Every
// call reads the file afresh. Key paths are key names joined by "\", below the hive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace glossel::systools {

inline constexpr std::int32_t HKEY_LOCAL_MACHINE = static_cast<std::int32_t>(0x80000002u);

class RegistryTools {
public:
    // `writable` false: DeleteKey changes nothing, as for a user without rights.
    RegistryTools(std::string registryFile, bool writable);

    // The value `name` of `key` ("" names the key's default value): a text for string values,
    // an std::int32_t for dword values, the bytes for every other type; `defaultValue` when the
    // key or the value is absent.
    Variant ReadValue(std::int32_t hive, const std::string& key, const std::string& name,
                      const Variant& defaultValue) const;

    // The names of the key's subkeys as they were created, ordered by name without regard to
    // letter case; empty when the key is absent.
    std::vector<std::string> EnumSubKeys(std::int32_t hive, const std::string& key) const;

    // Removes the key and everything below it. True when it is gone afterwards (also when it
    // was absent); false when the registry may not be changed and the key stays.
    bool DeleteKey(std::int32_t hive, const std::string& key) const;

    // Every call throws glossel::Error: err::kInvalidArgument for another hive,
    // kRegistryCorrupt (RegistryErrors.h) for a malformed file, kRegistryIoFailed when the file
    // cannot be read or written.

private:
    std::string registryFile_;
    bool writable_;
};

}  // namespace glossel::systools
