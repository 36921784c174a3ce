// The export command.
#include "cli/ExportCommand.h"

#include <algorithm>

#include "transfer/MImportLanguage.h"
#include "transfer/SortedListBox.h"

namespace glossel::cli {
namespace {

constexpr char kSuccess[] = "Sprache erfolgreich exportiert!";

class StreamMessages : public transfer::MessageBoxes {
public:
    StreamMessages(std::ostream& plain, std::ostream& information)
        : plain_(plain), information_(information) {}
    void ShowPlain(const std::string& text) override { plain_ << text << '\n'; }
    void ShowInformation(const std::string& text) override { information_ << text << '\n'; }

private:
    std::ostream& plain_;
    std::ostream& information_;
};

}  // namespace

bool exportLanguages(const std::string& projectPath, const std::string& targetPath,
                     const std::vector<std::int32_t>& lcids, std::int32_t sourceLcid,
                     std::ostream& out, std::ostream& err) {
    transfer::SortedListBox list;
    transfer::FillLanguageList(projectPath, list);
    for (const std::int32_t lcid : lcids) {
        bool found = false;
        for (int i = 0; i < list.ListCount(); ++i) {
            if (list.ItemData(i) == lcid) {
                list.SetSelected(i, true);
                found = true;
            }
        }
        if (!found) {
            throw UnknownLanguage{lcid};
        }
    }
    StreamMessages messages(err, out);
    if (!transfer::ExportSelectedLanguages(projectPath, list, targetPath, messages,
                                                   sourceLcid)) {
        return false;
    }
    messages.ShowInformation(kSuccess);
    return true;
}

}  // namespace glossel::cli
