// Byte store held in memory.
#include <algorithm>

#include "platform/jet/PageStore.h"

namespace glossel::jet {

void MemoryStore::read(std::uint64_t offset, std::span<std::uint8_t> out) const {
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
}

void MemoryStore::write(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    if (offset + bytes.size() > bytes_.size()) {
        bytes_.resize(offset + bytes.size());
    }
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace glossel::jet
