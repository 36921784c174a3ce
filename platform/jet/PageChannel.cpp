// Page reads with bounds checks and a small cache.
#include "platform/jet/PageChannel.h"

namespace glossel::jet {

PageChannel::PageChannel(std::unique_ptr<PageStore> store, const JetFormat& format,
                         std::string path)
    : store_(std::move(store)),
      format_(format),
      path_(std::move(path)),
      pageCount_(static_cast<std::uint32_t>(store_->size() / format.pageSize)) {}

PageBuffer PageChannel::page(std::uint32_t number, std::string_view table) const {
    if (number >= pageCount_) {
        throwDamaged({path_, std::nullopt, table}, "Verweis auf Seite " + std::to_string(number) +
                                                       " hinter dem Dateiende (" +
                                                       std::to_string(pageCount_) + " Seiten)");
    }
    if (auto cached = cache_.find(number); cached != cache_.end()) {
        return cached->second;
    }
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(format_.pageSize);
    store_->read(static_cast<std::uint64_t>(number) * format_.pageSize, *bytes);
    if (cache_.size() >= kCachedPages) {
        cache_.clear();
    }
    cache_.emplace(number, bytes);
    return bytes;
}

ByteView PageChannel::view(const PageBuffer& buffer, std::uint32_t number,
                           std::string_view table) const {
    return ByteView(*buffer, {path_, number, table});
}

}  // namespace glossel::jet
