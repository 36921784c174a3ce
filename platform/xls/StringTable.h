// The workbook's shared strings in memory: the entries read from the SST (with their formatting
// runs and phonetic blocks) and the plain entries added for new texts. Entries are never
// removed; the writer leaves out those no cell uses any more.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace glossel::xls {

class StringTable {
public:
    struct Formatting {
        std::vector<std::uint8_t> runs;
        std::vector<std::uint8_t> phonetic;
    };

    std::uint32_t size() const { return static_cast<std::uint32_t>(texts_.size()); }
    const std::string& text(std::uint32_t index) const { return texts_[index]; }
    // The runs and phonetic block of an entry; nullptr for a plain one.
    const Formatting* formatting(std::uint32_t index) const;

    // Appends an entry as read from a file.
    std::uint32_t add(std::string text, Formatting formatting);
    // The first plain entry holding `text`, appended if there is none.
    std::uint32_t intern(std::string_view text);

private:
    std::deque<std::string> texts_;  // a deque keeps the strings in place for plain_'s keys
    std::unordered_map<std::string_view, std::uint32_t> plain_;
    std::unordered_map<std::uint32_t, Formatting> formatting_;
};

}  // namespace glossel::xls
