// The exchange file's languages in the import window's list.
#include "transfer/ImportLanguageList.h"

#include <algorithm>
#include <vector>

#include "transfer/ImportLanguages.h"
#include "transfer/MImportLanguage.h"
#include "transfer/SortedListBox.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

std::vector<std::int32_t> projectLanguages(const std::string& projectPath) {
    SortedListBox projectList;
    FillLanguageList(projectPath, projectList);
    std::vector<std::int32_t> lcids;
    for (int entry = 0; entry < projectList.ListCount(); ++entry) {
        lcids.push_back(projectList.ItemData(entry));
    }
    return lcids;
}

}  // namespace

void FillImportLanguageList(const std::string& projectPath, const std::string& exchangePath,
                            ListBox& list) {
    list.Clear();
    const std::vector<std::int32_t> fileLanguages = ExchangeFileLanguages(exchangePath);
    const std::vector<std::int32_t> known =
        projectPath.empty() ? fileLanguages : projectLanguages(projectPath);
    for (const std::int32_t lcid : fileLanguages) {
        const bool isNew = std::find(known.begin(), known.end(), lcid) == known.end();
        list.AddItem(languageListEntry(lcid, languageColumnName(lcid)) +
                     (isNew ? kNewLanguageMark : ""));
        list.SetItemData(list.NewIndex(), lcid);
    }
}

}  // namespace glossel::transfer
