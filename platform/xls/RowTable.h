// The cells of a worksheet, row by row. The rows are held by their number, one slot per number
// up to the last row held, so that finding, adding and walking rows takes no search and no
// allocation per row; a sheet's 65,536 rows at most bound the slots.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "platform/xls/SheetRecords.h"

namespace glossel::xls {

enum class CellKind : std::uint8_t { Blank, Number, Text, Boolean, Error, Formula };

struct Cell {
    std::uint16_t column = 0;
    std::uint16_t xf = 0;
    CellKind kind = CellKind::Blank;
    std::uint8_t code = 0;    // Boolean: 0 or 1; Error: the error code
    std::uint32_t index = 0;  // Text: string table entry; Formula: entry in SheetContent::formulas
    double number = 0;
};

struct Row {
    std::optional<RowRecord> record;  // rows without one get a default ROW when written
    std::vector<Cell> cells;          // ascending columns, one cell per column
};

class RowTable {
    struct Slot {
        Row row;
        bool held = false;
    };

public:
    // Walks the rows held, in ascending row numbers, as (number, row) pairs.
    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::pair<std::uint16_t, const Row&>;
        using difference_type = std::ptrdiff_t;
        using reference = value_type;
        using pointer = void;

        Iterator(const std::vector<Slot>& slots, std::size_t at) : slots_(&slots), at_(at) {
            skipFree();
        }
        value_type operator*() const {
            return {static_cast<std::uint16_t>(at_), (*slots_)[at_].row};
        }
        Iterator& operator++() {
            ++at_;
            skipFree();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return at_ == other.at_; }

    private:
        void skipFree() {
            while (at_ < slots_->size() && !(*slots_)[at_].held) {
                ++at_;
            }
        }
        const std::vector<Slot>* slots_;
        std::size_t at_;
    };

    bool empty() const { return count_ == 0; }
    // The lowest and highest row numbers held; only for a table that is not empty.
    std::uint16_t first() const { return first_; }
    std::uint16_t last() const { return static_cast<std::uint16_t>(slots_.size() - 1); }

    // The row, added without record and cells if it is not held.
    Row& operator[](std::uint16_t number) {
        if (number >= slots_.size()) {
            slots_.resize(std::size_t{number} + 1);
        }
        Slot& slot = slots_[number];
        if (!slot.held) {
            slot.held = true;
            first_ = count_ == 0 ? number : std::min(first_, number);
            ++count_;
        }
        return slot.row;
    }
    // nullptr when the row is not held.
    const Row* find(std::uint32_t number) const {
        return number < slots_.size() && slots_[number].held ? &slots_[number].row : nullptr;
    }
    void erase(std::uint16_t number) {
        if (!find(number)) {
            return;
        }
        slots_[number] = Slot{};
        --count_;
        while (!slots_.empty() && !slots_.back().held) {
            slots_.pop_back();
        }
        if (count_ > 0 && number == first_) {
            first_ = (*begin()).first;
        }
    }

    Iterator begin() const { return {slots_, 0}; }
    Iterator end() const { return {slots_, slots_.size()}; }
    // The first row held at or after `number`.
    Iterator from(std::size_t number) const { return {slots_, std::min(number, slots_.size())}; }

private:
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
    std::uint16_t first_ = 0;
};

}  // namespace glossel::xls
