// Shared string entries and the lookup of plain texts.
#include "platform/xls/StringTable.h"

namespace glossel::xls {

const StringTable::Formatting* StringTable::formatting(std::uint32_t index) const {
    const auto found = formatting_.find(index);
    return found == formatting_.end() ? nullptr : &found->second;
}

std::uint32_t StringTable::add(std::string text, Formatting formatting) {
    const std::uint32_t index = size();
    texts_.push_back(std::move(text));
    if (formatting.runs.empty() && formatting.phonetic.empty()) {
        plain_.emplace(texts_.back(), index);
    } else {
        formatting_.emplace(index, std::move(formatting));
    }
    return index;
}

std::uint32_t StringTable::intern(std::string_view text) {
    if (const auto found = plain_.find(text); found != plain_.end()) {
        return found->second;
    }
    return add(std::string(text), {});
}

}  // namespace glossel::xls
