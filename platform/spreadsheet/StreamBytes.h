// Bytes of a file or of one of its streams, read into memory: the buffer is filled by the read
// that follows its sizing, so sizing it does not zero it first (tens of megabytes per workbook).
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace glossel::spreadsheet {

// An allocator that leaves new elements uninitialised where the container default-constructs
// them (resize), and constructs them as asked otherwise.
template <typename T>
struct UninitialisedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    using std::allocator<T>::allocator;

    template <typename U>
    void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(place)) U;
    }
    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
};

using StreamBytes = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

}  // namespace glossel::spreadsheet
