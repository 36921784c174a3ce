// The workbook's shared strings in memory: the entries read from the SST (with their formatting
// runs and phonetic blocks) and the plain entries added for new texts. Entries are never
// removed; the writer leaves out those no cell uses any more, and their texts can be given up.
//
// A workbook holds a few hundred thousand of them, so the texts sit back to back in large
// blocks, and plain texts are found through an open-addressing table of entry numbers that
// compares the hashes it holds beside them before it looks at any entry. The entries read from a
// file join that table at the first lookup, so that a workbook only read never builds it.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace glossel::spreadsheet {

// What a text needs in the file, found when it is stored: one byte per character (ASCII, or
// Latin-1 characters beyond it) or two (Bmp: well-formed, without characters beyond the BMP);
// Other for the rest, which the writer converts the general way.
enum class TextForm : std::uint8_t { Ascii, Latin1, Bmp, Other };

class StringTable {
public:
    struct Formatting {
        std::vector<std::uint8_t> runs;
        std::vector<std::uint8_t> phonetic;
    };

    std::uint32_t size() const { return static_cast<std::uint32_t>(entries_.size()); }
    // Valid as long as the table.
    std::string_view text(std::uint32_t index) const {
        return {entries_[index].data, entries_[index].length()};
    }
    TextForm form(std::uint32_t index) const { return entries_[index].form(); }
    // The runs and phonetic block of an entry; nullptr for a plain one.
    const Formatting* formatting(std::uint32_t index) const;

    // Appends an entry as read from a file.
    std::uint32_t add(std::string_view text, Formatting formatting);
    // The first plain entry holding `text`, appended if there is none.
    std::uint32_t intern(std::string_view text);
    // The same, trying `entry` first: the entry a cell already shows, which setting the cell to
    // the text it shows then finds without a lookup.
    std::uint32_t intern(std::string_view text, std::uint32_t entry);

    // Gives up the texts of the entries `used` does not mark: they become empty, intern no longer
    // finds them and the other texts move together, freeing the blocks left over. Entry numbers
    // stay; texts seen before are no longer valid.
    void keepOnly(const std::vector<bool>& used);

private:
    struct Entry {
        Entry(const char* data, std::size_t length, std::uint32_t hash, TextForm form)
            : data(data),
              lengthAndForm(static_cast<std::uint32_t>(length) << 2 |
                            static_cast<std::uint32_t>(form)),
              hash(hash) {}
        std::uint32_t length() const { return lengthAndForm >> 2; }
        TextForm form() const { return static_cast<TextForm>(lengthAndForm & 3); }

        const char* data;
        std::uint32_t lengthAndForm;  // texts stay far below 2^30 bytes
        std::uint32_t hash;           // set once the entry is offered to the slots
    };
    static constexpr std::uint32_t kNoEntry = 0xFFFFFFFF;

    std::uint32_t append(std::string_view text, std::uint32_t hash);
    const char* store(std::string_view text);
    // The slot holding the plain entry of `text`, or the empty slot where it belongs.
    std::size_t slotOf(std::string_view text, std::uint32_t hash) const;
    void growSlots();
    // Makes a new plain entry findable unless an earlier one holds the same text.
    void placePlain(std::uint32_t index);
    // Takes a plain entry out of the slots.
    void removePlain(std::uint32_t index);
    // Makes the plain entries added since the last lookup findable.
    void indexPlainEntries();

    std::deque<Entry> entries_;  // no doubled capacity for a few hundred thousand entries
    struct Block {
        std::unique_ptr<char[]> data;
        std::size_t size;
    };
    std::vector<Block> blocks_;
    std::size_t blockRoom_ = 0;
    char* blockEnd_ = nullptr;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = kNoEntry;  // a plain entry's number; kNoEntry where free
    };
    std::vector<Slot> slots_;
    std::vector<bool> inSlots_;       // per entry: whether slots_ holds it
    std::size_t indexedEntries_ = 0;  // entries before this one have been offered to slots_
    std::size_t plainCount_ = 0;
    std::unordered_map<std::uint32_t, Formatting> formatting_;
};

}  // namespace glossel::spreadsheet
