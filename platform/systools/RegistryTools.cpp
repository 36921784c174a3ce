// The registry calls over the registry file.
#include "platform/systools/RegistryTools.h"

#include <optional>
#include <sstream>

#include "platform/Error.h"
#include "platform/nls/Utf16.h"
#include "platform/systools/RegFileFormat.h"
#include "platform/systools/RegistryFile.h"
#include "platform/systools/RegistryNames.h"

namespace glossel::systools {
namespace {

constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";

// The key's full path below the root of the registry, or std::nullopt when `key` names none.
std::optional<std::vector<std::string>> fullPath(std::int32_t hive, const std::string& key) {
    if (hive != HKEY_LOCAL_MACHINE) {
        std::ostringstream number;
        number << std::hex << std::uppercase << static_cast<std::uint32_t>(hive);
        throw Error(err::kInvalidArgument, "Der Registrierungs-Hauptschlüssel &H" + number.str() +
                                               " wird nicht unterstützt; nur HKEY_LOCAL_MACHINE.");
    }
    auto names = splitKeyPath(key);
    if (names) {
        names->insert(names->begin(), std::string(kLocalMachine));
    }
    return names;
}

// A string value up to its terminating NUL, from the UTF-16 LE bytes of hex(1) or hex(2).
std::string stringFromData(const std::vector<std::uint8_t>& data) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0) {
            break;
        }
        text += unit;
    }
    return nls::toUtf8(text);
}

Variant variantOf(const RegValue& value) {
    if (value.type == kRegSz || value.type == kRegExpandSz) {
        return value.data.empty() ? value.text : stringFromData(value.data);
    }
    if (value.type == kRegDword && value.data.size() == 4) {
        const std::uint32_t bits = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                                   (static_cast<std::uint32_t>(value.data[3]) << 24);
        return static_cast<std::int32_t>(bits);
    }
    return value.data;
}

}  // namespace

RegistryTools::RegistryTools(std::string registryFile, bool writable)
    : registryFile_(std::move(registryFile)), writable_(writable) {}

Variant RegistryTools::ReadValue(std::int32_t hive, const std::string& key, const std::string& name,
                                 const Variant& defaultValue) const {
    const auto path = fullPath(hive, key);
    if (!path) {
        return defaultValue;
    }
    const RegistryTree tree = RegistryFile(registryFile_).read();
    const RegistryKey* found = tree.find(*path);
    if (found == nullptr) {
        return defaultValue;
    }
    const auto value = found->values.find(foldName(name));
    return value == found->values.end() ? defaultValue : variantOf(value->second);
}

std::vector<std::string> RegistryTools::EnumSubKeys(std::int32_t hive,
                                                    const std::string& key) const {
    const auto path = fullPath(hive, key);
    if (!path) {
        return {};
    }
    const RegistryTree tree = RegistryFile(registryFile_).read();
    const RegistryKey* found = tree.find(*path);
    std::vector<std::string> names;
    if (found != nullptr) {
        for (const auto& [folded, subKey] : found->subKeys) {
            names.push_back(subKey->name);
        }
    }
    return names;
}

bool RegistryTools::DeleteKey(std::int32_t hive, const std::string& key) const {
    const auto path = fullPath(hive, key);
    if (!path) {
        return true;
    }
    if (path->size() < 2 || !writable_) {
        return false;
    }
    return RegistryFile(registryFile_).removeKey(*path);
}

}  // namespace glossel::systools
