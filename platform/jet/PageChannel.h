// Page access to one Jet file: page numbers are checked against the file, and pages are cached.
// Handed around as shared_ptr: table cursors keep the channel (and so the file) open.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/jet/Damage.h"
#include "platform/jet/JetFormat.h"
#include "platform/jet/PageStore.h"

namespace glossel::jet {

using PageBuffer = std::shared_ptr<const std::vector<std::uint8_t>>;

class PageChannel {
public:
    // The store's size must be a whole number of pages of the format (checked by the caller).
    PageChannel(std::unique_ptr<PageStore> store, const JetFormat& format, std::string path);

    const JetFormat& format() const { return format_; }
    const std::string& path() const { return path_; }
    std::uint32_t pageCount() const { return pageCount_; }

    // The page's bytes; a page number beyond the file is reported as damage of `table`.
    PageBuffer page(std::uint32_t number, std::string_view table = {}) const;
    // A bounds-checked view of a page; keep the buffer alive while using the view.
    ByteView view(const PageBuffer& buffer, std::uint32_t number, std::string_view table) const;

private:
    static constexpr std::size_t kCachedPages = 2048;

    std::unique_ptr<PageStore> store_;
    const JetFormat& format_;
    std::string path_;
    std::uint32_t pageCount_;
    mutable std::unordered_map<std::uint32_t, PageBuffer> cache_;
};

}  // namespace glossel::jet
