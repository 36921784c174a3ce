// Filling the project list from the registry, deleting stale registrations on the way.
#include <unicode/locid.h>
#include <unicode/unistr.h>

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

}  // namespace

void FillProjectList(ListView& listView, const std::int32_t& TypeMask) {
    ListViewItems& items = listView.ListItems();
    const std::vector<std::string> names =
        SysTools().RegistryTools().EnumSubKeys(HKEY_LOCAL_MACHINE, kProjectsKey);
    for (const std::string& name : names) {
        const std::string key = projectKey(name);
        const std::string typeName = registryText(SysTools().RegistryTools().ReadValue(
            HKEY_LOCAL_MACHINE, key, kProjectTypeValue, std::string()));
        const Variant converted = ConvertProjectType(typeName);
        const auto* code = std::get_if<std::int32_t>(&converted);
        if (code == nullptr) {
            // A type written as a number converts to a name, not to a code: such a
            // registration is neither listed nor judged by its file.
            continue;
        }
        const std::string path = registryText(SysTools().RegistryTools().ReadValue(
            HKEY_LOCAL_MACHINE, key, kPathValue, std::string()));
        const std::string projectFile =
            path + "\\" + name +
            (*code == kGroupProject ? kGroupFileExtension : kProjectFileExtension);
        if (!SysTools().FileTools().FileExists(projectFile)) {
            SysTools().RegistryTools().DeleteKey(HKEY_LOCAL_MACHINE, key);
        } else if ((*code & TypeMask) != 0) {
            ListViewItem& item = items.Add(kRowKeyPrefix + lowerCase(name), name);
            item.SetSubItems(1, path);
            item.SetSubItems(2, typeName);
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
