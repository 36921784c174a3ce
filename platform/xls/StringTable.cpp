// Shared string entries, their text blocks and the lookup of plain texts.
#include "platform/xls/StringTable.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace glossel::xls {
namespace {

constexpr std::size_t kBlockSize = 1 << 20;
constexpr std::size_t kFirstSlotCount = 1024;

std::uint32_t hashOf(std::string_view text) {
    const std::size_t hash = std::hash<std::string_view>()(text);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

}  // namespace

const StringTable::Formatting* StringTable::formatting(std::uint32_t index) const {
    const auto found = formatting_.find(index);
    return found == formatting_.end() ? nullptr : &found->second;
}

const char* StringTable::store(std::string_view text) {
    if (text.size() > blockRoom_) {
        const std::size_t size = std::max(kBlockSize, text.size());
        blocks_.push_back(std::make_unique<char[]>(size));
        blockEnd_ = blocks_.back().get();
        blockRoom_ = size;
    }
    char* place = blockEnd_;
    std::memcpy(place, text.data(), text.size());
    blockEnd_ += text.size();
    blockRoom_ -= text.size();
    return place;
}

std::uint32_t StringTable::append(std::string_view text, std::uint32_t hash) {
    const auto index = static_cast<std::uint32_t>(entries_.size());
    entries_.push_back({store(text), static_cast<std::uint32_t>(text.size()), hash});
    return index;
}

std::size_t StringTable::slotOf(std::string_view text, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t index = slots_[slot];
        if (index == kNoEntry) {
            return slot;
        }
        const Entry& entry = entries_[index];
        if (entry.hash == hash && std::string_view(entry.data, entry.length) == text) {
            return slot;
        }
    }
}

void StringTable::growSlots() {
    std::vector<std::uint32_t> old = std::move(slots_);
    slots_.assign(std::max(kFirstSlotCount, old.size() * 2), kNoEntry);
    const std::size_t mask = slots_.size() - 1;
    for (const std::uint32_t index : old) {
        if (index != kNoEntry) {
            std::size_t slot = entries_[index].hash & mask;
            while (slots_[slot] != kNoEntry) {
                slot = (slot + 1) & mask;
            }
            slots_[slot] = index;
        }
    }
}

void StringTable::placePlain(std::uint32_t index) {
    if ((plainCount_ + 1) * 2 > slots_.size()) {
        growSlots();
    }
    const Entry& entry = entries_[index];
    const std::size_t slot = slotOf({entry.data, entry.length}, entry.hash);
    if (slots_[slot] == kNoEntry) {
        slots_[slot] = index;
        ++plainCount_;
    }
}

std::uint32_t StringTable::add(std::string_view text, Formatting formatting) {
    const std::uint32_t index = append(text, hashOf(text));
    if (formatting.runs.empty() && formatting.phonetic.empty()) {
        placePlain(index);
    } else {
        formatting_.emplace(index, std::move(formatting));
    }
    return index;
}

std::uint32_t StringTable::intern(std::string_view text) {
    const std::uint32_t hash = hashOf(text);
    if (!slots_.empty()) {
        if (const std::uint32_t found = slots_[slotOf(text, hash)]; found != kNoEntry) {
            return found;
        }
    }
    const std::uint32_t index = append(text, hash);
    placePlain(index);
    return index;
}

}  // namespace glossel::xls
