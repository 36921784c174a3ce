// The cells of a worksheet, row by row, for every workbook format. Each row number up to the last
// row held has a slot of four bytes naming the row's place in the storage, so that finding,
// adding and walking rows takes no search, and a sheet with one row far down costs megabytes at
// most; the format's row limit bounds the slots. `Record`
// is what the format keeps of a row beside its cells (height, format), as the file held it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

namespace glossel::spreadsheet {

enum class CellKind : std::uint8_t { Blank, Number, Text, Boolean, Error, Formula };

// A cell as held: `xf` is the index of its cell format in the workbook's format table.
struct Cell {
    std::uint16_t column = 0;
    std::uint16_t xf = 0;
    CellKind kind = CellKind::Blank;
    std::uint8_t code = 0;    // Boolean: 0 or 1; Error: the error code
    std::uint32_t index = 0;  // Text: string table entry; Formula: entry in the sheet's formulas
    double number = 0;
};

template <typename Record>
struct Row {
    std::optional<Record> record;  // rows without one are written with the format's defaults
    std::vector<Cell> cells;       // ascending columns, one cell per column
};

template <typename Record>
class RowTable {
public:
    using Row = spreadsheet::Row<Record>;

private:
    static constexpr std::uint32_t kFree = 0xFFFFFFFF;

public:
    // Walks the rows held, in ascending row numbers, as (number, row) pairs.
    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::pair<std::uint32_t, const Row&>;
        using difference_type = std::ptrdiff_t;
        using reference = value_type;
        using pointer = void;

        Iterator(const RowTable& table, std::size_t at) : table_(&table), at_(at) { skipFree(); }
        value_type operator*() const {
            return {static_cast<std::uint32_t>(at_), table_->rows_[table_->slots_[at_]]};
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
            while (at_ < table_->slots_.size() && table_->slots_[at_] == kFree) {
                ++at_;
            }
        }
        const RowTable* table_;
        std::size_t at_;
    };

    bool empty() const { return rows_.empty(); }
    // The lowest and highest row numbers held; only for a table that is not empty.
    std::uint32_t first() const { return first_; }
    std::uint32_t last() const { return static_cast<std::uint32_t>(slots_.size() - 1); }

    // The row, added without record and cells if it is not held. References to rows stay valid
    // while rows are added.
    Row& operator[](std::uint32_t number) {
        if (number >= slots_.size()) {
            slots_.resize(std::size_t{number} + 1, kFree);
        }
        std::uint32_t& slot = slots_[number];
        if (slot == kFree) {
            first_ = rows_.empty() ? number : std::min(first_, number);
            slot = static_cast<std::uint32_t>(rows_.size());
            rows_.emplace_back();
            numbers_.push_back(number);
        }
        return rows_[slot];
    }
    // nullptr when the row is not held.
    const Row* find(std::uint32_t number) const {
        return number < slots_.size() && slots_[number] != kFree ? &rows_[slots_[number]]
                                                                  : nullptr;
    }
    // Removes the row; the row added last takes its place in the storage.
    void erase(std::uint32_t number) {
        if (!find(number)) {
            return;
        }
        const std::uint32_t place = slots_[number];
        if (place + 1 != rows_.size()) {
            rows_[place] = std::move(rows_.back());
            numbers_[place] = numbers_.back();
            slots_[numbers_[place]] = place;
        }
        rows_.pop_back();
        numbers_.pop_back();
        slots_[number] = kFree;
        while (!slots_.empty() && slots_.back() == kFree) {
            slots_.pop_back();
        }
        if (!rows_.empty() && number == first_) {
            first_ = (*begin()).first;
        }
    }

    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, slots_.size()}; }
    // The first row held at or after `number`.
    Iterator from(std::size_t number) const { return {*this, std::min(number, slots_.size())}; }

private:
    std::vector<std::uint32_t> slots_;  // per row number: its place in rows_, or kFree
    std::deque<Row> rows_;              // in the order they were added
    std::vector<std::uint32_t> numbers_;  // per place in rows_: the row's number
    std::uint32_t first_ = 0;
};

}  // namespace glossel::spreadsheet
