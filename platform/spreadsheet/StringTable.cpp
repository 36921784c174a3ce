// Shared string entries, their text blocks and the lookup of plain texts.
#include "platform/spreadsheet/StringTable.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/nls/Utf8Text.h"

namespace glossel::spreadsheet {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::size_t kFirstSlotCount = 1024;

std::uint32_t hashOf(std::string_view text) {
    const std::size_t hash = std::hash<std::string_view>()(text);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

TextForm formOf(std::string_view utf8) {
    if (nls::isAscii(utf8)) {
        return TextForm::Ascii;
    }
    bool latin1 = true;
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::optional<char16_t> unit = nls::nextBmpCharacter(utf8, at);
        if (!unit) {
            return TextForm::Other;
        }
        latin1 = latin1 && *unit <= 0xFF;
    }
    return latin1 ? TextForm::Latin1 : TextForm::Bmp;
}

}  // namespace

const StringTable::Formatting* StringTable::formatting(std::uint32_t index) const {
    const auto found = formatting_.find(index);
    return found == formatting_.end() ? nullptr : &found->second;
}

const char* StringTable::store(std::string_view text) {
    if (text.size() > blockRoom_) {
        const std::size_t size = std::max(kBlockSize, text.size());
        blocks_.push_back({std::make_unique_for_overwrite<char[]>(size), size});
        blockEnd_ = blocks_.back().data.get();
        blockRoom_ = size;
    }
    char* place = blockEnd_;
    if (text.empty()) {
        return place;
    }
    std::memcpy(place, text.data(), text.size());
    blockEnd_ += text.size();
    blockRoom_ -= text.size();
    return place;
}

std::uint32_t StringTable::append(std::string_view text, std::uint32_t hash) {
    const auto index = static_cast<std::uint32_t>(entries_.size());
    entries_.emplace_back(store(text), text.size(), hash, formOf(text));
    inSlots_.push_back(false);
    return index;
}

std::size_t StringTable::slotOf(std::string_view text, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& candidate = slots_[slot];
        if (candidate.entry == kNoEntry) {
            return slot;
        }
        if (candidate.hash == hash) {
            const Entry& entry = entries_[candidate.entry];
            if (std::string_view(entry.data, entry.length()) == text) {
                return slot;
            }
        }
    }
}

void StringTable::growSlots() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(std::max(kFirstSlotCount, old.size() * 2), Slot{});
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& taken : old) {
        if (taken.entry != kNoEntry) {
            std::size_t slot = taken.hash & mask;
            while (slots_[slot].entry != kNoEntry) {
                slot = (slot + 1) & mask;
            }
            slots_[slot] = taken;
        }
    }
}

void StringTable::placePlain(std::uint32_t index) {
    if ((plainCount_ + 1) * 4 > slots_.size() * 3) {
        growSlots();
    }
    const Entry& entry = entries_[index];
    const std::size_t slot = slotOf({entry.data, entry.length()}, entry.hash);
    if (slots_[slot].entry == kNoEntry) {
        slots_[slot] = {entry.hash, index};
        inSlots_[index] = true;
        ++plainCount_;
    }
}

std::uint32_t StringTable::add(std::string_view text, Formatting formatting) {
    const std::uint32_t index = append(text, 0);
    if (!formatting.runs.empty() || !formatting.phonetic.empty()) {
        formatting_.emplace(index, std::move(formatting));
    }
    return index;
}

void StringTable::indexPlainEntries() {
    for (; indexedEntries_ < entries_.size(); ++indexedEntries_) {
        const auto index = static_cast<std::uint32_t>(indexedEntries_);
        if (!inSlots_[index] && !formatting_.contains(index)) {
            entries_[index].hash = hashOf(text(index));
            placePlain(index);
        }
    }
}

std::uint32_t StringTable::intern(std::string_view text) {
    indexPlainEntries();
    const std::uint32_t hash = hashOf(text);
    if (!slots_.empty()) {
        if (const std::uint32_t found = slots_[slotOf(text, hash)].entry; found != kNoEntry) {
            return found;
        }
    }
    const std::uint32_t index = append(text, hash);
    placePlain(index);
    indexedEntries_ = entries_.size();
    return index;
}

std::uint32_t StringTable::intern(std::string_view text, std::uint32_t entry) {
    indexPlainEntries();
    if (entry < entries_.size() && inSlots_[entry] && this->text(entry) == text) {
        return entry;
    }
    return intern(text);
}

void StringTable::removePlain(std::uint32_t index) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t hole = entries_[index].hash & mask;
    while (slots_[hole].entry != index) {
        hole = (hole + 1) & mask;
    }
    // Entries behind the hole that may stand in it (their home slot is not between the hole and
    // them) move up, so that every entry stays reachable from its home slot.
    for (std::size_t next = (hole + 1) & mask; slots_[next].entry != kNoEntry;
         next = (next + 1) & mask) {
        const std::size_t home = slots_[next].hash & mask;
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            slots_[hole] = slots_[next];
            hole = next;
        }
    }
    slots_[hole] = Slot{};
    inSlots_[index] = false;
    --plainCount_;
}

// The kept texts are packed in entry order by the rule store() follows, so each lands no later
// than where it was: moving them one by one never overwrites a text still to be moved.
void StringTable::keepOnly(const std::vector<bool>& used) {
    indexPlainEntries();
    const std::uint32_t emptyHash = hashOf({});
    std::size_t block = 0;
    std::size_t offset = 0;
    for (std::uint32_t index = 0; index < entries_.size(); ++index) {
        Entry& entry = entries_[index];
        if (index >= used.size() || !used[index]) {
            if (inSlots_[index]) {
                removePlain(index);
            }
            entry = Entry(nullptr, 0, emptyHash, TextForm::Ascii);
            formatting_.erase(index);
            continue;
        }
        const std::size_t length = entry.length();
        if (length == 0) {
            entry.data = nullptr;
            continue;
        }
        while (length > blocks_[block].size - offset) {
            ++block;
            offset = 0;
        }
        char* place = blocks_[block].data.get() + offset;
        if (place != entry.data) {
            std::memmove(place, entry.data, length);
            entry.data = place;
        }
        offset += length;
    }
    if (!blocks_.empty()) {
        blocks_.resize(block + 1);
        blockEnd_ = blocks_[block].data.get() + offset;
        blockRoom_ = blocks_[block].size - offset;
    }
    // A kept text that stood behind an equal one given up is now the one intern finds.
    for (std::uint32_t index = 0; index < entries_.size(); ++index) {
        if (index < used.size() && used[index] && !inSlots_[index] &&
            !formatting_.contains(index)) {
            placePlain(index);
        }
    }
}

}  // namespace glossel::spreadsheet
