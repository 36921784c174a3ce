// Filling the project list from the registry, deleting stale registrations on the way. Each
// registration is judged on its own, so that one the program cannot make sense of never hides
// the others: it stays registered and unlisted, and the next one is looked at.
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <optional>

#include "platform/Error.h"
#include "platform/systools/SysTools.h"
#include "projects/ProjectCatalogue.h"
#include "projects/ProjectRegistry.h"
#include "projects/ProjectTypes.h"

namespace glossel::projects {
namespace {

using systools::HKEY_LOCAL_MACHINE;
using systools::SysTools;

constexpr char kRowKeyPrefix[] = "S:";

std::string lowerCase(const std::string& text) {
    std::string lower;
    icu::UnicodeString::fromUTF8(text).toLower(icu::Locale::getRoot()).toUTF8String(lower);
    return lower;
}

// The registration's value `name` as text ("" when absent); std::nullopt when it is stored as
// other data (a dword, bytes).
std::optional<std::string> textValue(const std::string& key, const char* name) {
    const Variant value =
        SysTools().RegistryTools().ReadValue(HKEY_LOCAL_MACHINE, key, name, std::string());
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return std::nullopt;
}

// Whether the project file is there; std::nullopt when that cannot be told (no right to look
// into a directory on the way, an I/O error), so that such a project is not taken for gone.
std::optional<bool> projectFileExists(const std::string& path) {
    try {
        return SysTools().FileTools().FileExists(path);
    } catch (const Error& error) {
        if (error.number() != systools::kPathFileAccessError) {
            throw;
        }
        return std::nullopt;
    }
}

// Deletes the registration of a project that is gone. One that this user may not delete, or
// whose deletion fails, stays registered; the next filling tries again.
void deleteRegistration(const std::string& key) {
    try {
        SysTools().RegistryTools().DeleteKey(HKEY_LOCAL_MACHINE, key);
    } catch (const Error&) {
    }
}

}  // namespace

void FillProjectList(ListView& listView, const std::int32_t& TypeMask) {
    ListViewItems& items = listView.ListItems();
    const std::vector<std::string> names =
        SysTools().RegistryTools().EnumSubKeys(HKEY_LOCAL_MACHINE, kProjectsKey);
    for (const std::string& name : names) {
        const std::string key = projectKey(name);
        const std::optional<std::string> typeName = textValue(key, kProjectTypeValue);
        if (!typeName) {
            continue;
        }
        const Variant converted = ConvertProjectType(*typeName);
        const auto* code = std::get_if<std::int32_t>(&converted);
        if (code == nullptr) {
            // A type written as a number converts to a name, not to a code.
            continue;
        }
        const std::optional<std::string> path = textValue(key, kPathValue);
        if (!path) {
            continue;
        }
        const std::string projectFile =
            *path + "\\" + name +
            (*code == kGroupProject ? kGroupFileExtension : kProjectFileExtension);
        const std::optional<bool> exists = projectFileExists(projectFile);
        if (!exists) {
            continue;
        }
        if (!*exists) {
            deleteRegistration(key);
        } else if ((*code & TypeMask) != 0) {
            ListViewItem& item = items.Add(kRowKeyPrefix + lowerCase(name), name);
            item.SetSubItems(1, *path);
            item.SetSubItems(2, *typeName);
        }
    }
    if (ListViewItem* selected = listView.SelectedItem()) {
        selected->SetSelected(false);
    }
    listView.FitColumnWidth(0, ColumnFit::Content);
    listView.FitColumnWidth(1, ColumnFit::Content);
    listView.FitColumnWidth(2, ColumnFit::ContentAndHeader);
}

}  // namespace glossel::projects
