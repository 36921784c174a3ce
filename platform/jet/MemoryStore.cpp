// Byte store held in memory.
#include <algorithm>

#include "platform/jet/PageStore.h"

namespace glossel::jet {

void MemoryStore::read(std::uint64_t offset, std::span<std::uint8_t> out) const {
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
}

}  // namespace glossel::jet
