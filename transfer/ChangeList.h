// The changes of an import as the review shows them: sorted by a column, narrowed to one language
// and to the changes whose ID or texts hold a search text (case not regarded). Headless, so that
// the window's table only asks it for the rows it draws.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "transfer/ImportLanguages.h"

namespace glossel::transfer {

class ChangeList {
public:
    enum class Column { Id, Language, ProjectText, FileText };
    static constexpr std::size_t kColumns = 4;

    // `changes` must outlive the list; they are shown in their order until sortBy().
    explicit ChangeList(const std::vector<TextChange>& changes);

    std::size_t total() const { return changes_.size(); }
    std::size_t size() const { return shown_.size(); }
    const TextChange& at(std::size_t row) const { return changes_[shown_[row]]; }
    // The language as the language lists name it ("Französisch (Frankreich) [1036]").
    const std::string& languageName(std::int32_t lcid) const;

    // Orders by the column, ties by ID and language; texts in the order of the language lists.
    void sortBy(Column column, bool descending);
    // Shows only the changes of `lcid` (0: of every language) whose ID, project text or file
    // text holds `search` (empty: every one).
    void narrowTo(std::int32_t lcid, const std::string& search);

private:
    // The texts' sort keys, of the project's or the file's texts.
    const std::vector<std::string>& sortKeys(Column column);
    void refill();

    const std::vector<TextChange>& changes_;
    std::map<std::int32_t, std::string> languageNames_;
    std::map<std::int32_t, std::size_t> languageRanks_;  // place in the order of the names
    std::array<std::vector<std::string>, 2> textSortKeys_;
    std::vector<std::string> searchable_;  // per change: ID and both texts, case folded
    std::vector<std::uint32_t> order_;     // every change, in the order sorted
    std::vector<std::uint32_t> shown_;     // those narrowed to, in that order
    std::int32_t lcid_ = 0;
    std::string search_;                   // case folded
};

}  // namespace glossel::transfer
