// Sorting and narrowing the list of changes: every sort key and every searchable text is made
// once, when first needed, so that re-sorting and typing a search stay quick with 180,000 rows.
#include "transfer/ChangeList.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "platform/nls/ListCollation.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr char kFieldSeparator = '\n';

}  // namespace

ChangeList::ChangeList(const std::vector<TextChange>& changes) : changes_(changes) {
    order_.resize(changes_.size());
    std::iota(order_.begin(), order_.end(), 0u);
    for (const TextChange& change : changes_) {
        if (!languageNames_.contains(change.lcid)) {
            languageNames_[change.lcid] =
                languageListEntry(change.lcid, languageColumnName(change.lcid));
        }
    }
    std::vector<std::int32_t> lcids;
    for (const auto& [lcid, name] : languageNames_) {
        lcids.push_back(lcid);
    }
    std::sort(lcids.begin(), lcids.end(), [this](std::int32_t a, std::int32_t b) {
        return nls::compareListTexts(languageNames_.at(a), languageNames_.at(b)) < 0;
    });
    for (std::size_t rank = 0; rank < lcids.size(); ++rank) {
        languageRanks_[lcids[rank]] = rank;
    }
    refill();
}

const std::string& ChangeList::languageName(std::int32_t lcid) const {
    return languageNames_.at(lcid);
}

const std::vector<std::string>& ChangeList::sortKeys(Column column) {
    const bool projectSide = column == Column::ProjectText;
    std::vector<std::string>& keys = textSortKeys_[projectSide ? 0 : 1];
    if (!keys.empty()) {
        return keys;
    }
    keys.reserve(changes_.size());
    for (const TextChange& change : changes_) {
        const std::optional<std::string>& text = projectSide ? change.oldText : change.newText;
        keys.push_back(nls::listSortKey(text.value_or(std::string())));
    }
    return keys;
}

void ChangeList::sortBy(Column column, bool descending) {
    const bool byText = column == Column::ProjectText || column == Column::FileText;
    const std::vector<std::string>* keys = byText ? &sortKeys(column) : nullptr;
    std::vector<std::size_t> ranks;
    ranks.reserve(changes_.size());
    for (const TextChange& change : changes_) {
        ranks.push_back(languageRanks_.at(change.lcid));
    }
    const auto before = [&](std::uint32_t a, std::uint32_t b) {
        if (keys && (*keys)[a] != (*keys)[b]) {
            return (*keys)[a] < (*keys)[b];
        }
        if (column == Column::Language && ranks[a] != ranks[b]) {
            return ranks[a] < ranks[b];
        }
        if (changes_[a].id != changes_[b].id) {
            return changes_[a].id < changes_[b].id;
        }
        return ranks[a] < ranks[b];
    };
    if (descending) {
        std::stable_sort(order_.begin(), order_.end(),
                         [&](std::uint32_t a, std::uint32_t b) { return before(b, a); });
    } else {
        std::stable_sort(order_.begin(), order_.end(), before);
    }
    refill();
}

void ChangeList::narrowTo(std::int32_t lcid, const std::string& search) {
    lcid_ = lcid;
    search_ = nls::foldedCase(search);
    if (!search_.empty() && searchable_.empty()) {
        searchable_.reserve(changes_.size());
        for (const TextChange& change : changes_) {
            std::string text = std::to_string(change.id);
            text += kFieldSeparator;
            text += change.oldText.value_or(std::string());
            text += kFieldSeparator;
            text += change.newText.value_or(std::string());
            searchable_.push_back(nls::foldedCase(text));
        }
    }
    refill();
}

void ChangeList::refill() {
    shown_.clear();
    const std::boyer_moore_horspool_searcher searcher(search_.begin(), search_.end());
    for (const std::uint32_t index : order_) {
        if (lcid_ != 0 && changes_[index].lcid != lcid_) {
            continue;
        }
        if (!search_.empty()) {
            const std::string& text = searchable_[index];
            if (std::search(text.begin(), text.end(), searcher) == text.end()) {
                continue;
            }
        }
        shown_.push_back(index);
    }
}

}  // namespace glossel::transfer
