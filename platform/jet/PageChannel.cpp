// Page reads with bounds checks, a cache shared by all handles, and buffered writes.
#include "platform/jet/PageChannel.h"

#include <algorithm>

#include "platform/Error.h"

namespace glossel::jet {

PageChannel::PageChannel(std::unique_ptr<PageStore> store, const JetFormat& format,
                         std::string path)
    : store_(std::move(store)),
      format_(format),
      path_(std::move(path)),
      pageCount_(static_cast<std::uint32_t>(store_->size() / format.pageSize)) {}

PageChannel::~PageChannel() {
    try {
        if (!broken_) {
            flushAll();
        }
    } catch (const Error&) {
        // The pages written before the failure leave the file consistent.
    }
}

PageBuffer PageChannel::page(std::uint32_t number, std::string_view table) const {
    if (number >= pageCount_) {
        throwDamaged({path_, std::nullopt, table}, "Verweis auf Seite " + std::to_string(number) +
                                                       " hinter dem Dateiende (" +
                                                       std::to_string(pageCount_) + " Seiten)");
    }
    if (auto cached = cache_.find(number); cached != cache_.end()) {
        return cached->second.bytes;
    }
    // Tables are mostly read page after page: the pages that follow, up to the next cached one,
    // come with the same read.
    const std::uint32_t storedPages = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(pageCount_, store_->size() / format_.pageSize));
    std::uint32_t end = number + 1;
    while (end < storedPages && end - number < kPagesPerRead && !cache_.contains(end)) {
        ++end;
    }
    if (cache_.size() + (end - number) > kCachedPages && openScopes_ == 0) {
        dropUnchangedPages();
    }
    readRun_.resize(std::size_t{end - number} * format_.pageSize);
    store_->read(static_cast<std::uint64_t>(number) * format_.pageSize, readRun_);
    for (std::uint32_t next = number; next < end; ++next) {
        const auto first = readRun_.begin() + std::ptrdiff_t{next - number} * format_.pageSize;
        auto buffer = pageBuffer();
        std::copy(first, first + format_.pageSize, buffer->begin());
        cache_.emplace(next, CachedPage{std::move(buffer), false});
    }
    return cache_.at(number).bytes;
}

ByteView PageChannel::view(const PageBuffer& buffer, std::uint32_t number,
                           std::string_view table) const {
    return ByteView(*buffer, {path_, number, table});
}

void PageChannel::requireWritable() const {
    if (!store_->writable()) {
        throw Error(err::kReadOnly, "Die Datenbank '" + path_ +
                                        "' ist schreibgeschützt und kann nicht geändert werden.");
    }
    if (broken_) {
        throw Error(err::kReadOnly, "Die Datenbank '" + path_ +
                                        "' wird nach einem Schreibfehler nicht mehr geändert.");
    }
}

std::vector<std::uint8_t>& PageChannel::change(std::uint32_t number, std::string_view table) {
    requireWritable();
    page(number, table);
    if (const std::uint64_t barrier = cache_.at(number).barrier;
        barrier != 0 && barrier != lastBarrier_) {
        writeBarriers();
    }
    CachedPage& cached = cache_.at(number);
    if (!cached.changed) {
        cached.changed = true;
        ++changedPages_;
    }
    return *cached.bytes;
}

std::vector<std::uint8_t>& PageChannel::overwrite(std::uint32_t number, std::string_view table) {
    if (cache_.contains(number) || number >= pageCount_) {
        return change(number, table);
    }
    requireWritable();
    ++changedPages_;
    return *cache_.emplace(number, CachedPage{pageBuffer(), true}).first->second.bytes;
}

std::uint32_t PageChannel::appendPage() {
    requireWritable();
    const std::uint32_t number = pageCount_++;
    ++changedPages_;
    grew_ = true;
    auto buffer = pageBuffer();
    std::fill(buffer->begin(), buffer->end(), 0);
    cache_.emplace(number, CachedPage{std::move(buffer), true});
    return number;
}

void PageChannel::storeBytes(std::uint32_t firstPage, std::span<const std::uint8_t> bytes) {
    try {
        store_->write(static_cast<std::uint64_t>(firstPage) * format_.pageSize, bytes);
    } catch (const Error&) {
        broken_ = true;
        throw;
    }
}

void PageChannel::markWritten(CachedPage& page) {
    page.changed = false;
    page.barrier = 0;
    --changedPages_;
}

void PageChannel::writePage(std::uint32_t number, CachedPage& page) {
    storeBytes(number, *page.bytes);
    markWritten(page);
}

void PageChannel::writeRun(std::span<const std::uint32_t> numbers) {
    if (numbers.size() == 1) {
        writePage(numbers.front(), cache_.at(numbers.front()));
        return;
    }
    writeRun_.clear();
    for (const std::uint32_t number : numbers) {
        const std::vector<std::uint8_t>& bytes = *cache_.at(number).bytes;
        writeRun_.insert(writeRun_.end(), bytes.begin(), bytes.end());
    }
    storeBytes(numbers.front(), writeRun_);
    for (const std::uint32_t number : numbers) {
        markWritten(cache_.at(number));
    }
}

void PageChannel::writeBarriers() {
    for (const std::uint32_t number : barriers_) {
        CachedPage& cached = cache_.at(number);
        if (cached.changed) {
            requireWritable();
            writePage(number, cached);
        }
    }
    barriers_.clear();
}

void PageChannel::writeChangedPages() {
    writeBarriers();
    std::vector<std::uint32_t> changed;
    for (const auto& [number, cached] : cache_) {
        if (cached.changed) {
            changed.push_back(number);
        }
    }
    std::sort(changed.begin(), changed.end());
    // Pages with consecutive numbers go out in one write: the same bytes in the same order.
    for (std::size_t first = 0; first < changed.size();) {
        std::size_t end = first + 1;
        while (end < changed.size() && end - first < kPagesPerWrite &&
               changed[end] == changed[end - 1] + 1) {
            ++end;
        }
        requireWritable();
        writeRun(std::span(changed).subspan(first, end - first));
        first = end;
    }
}

void PageChannel::flush(std::uint32_t number) {
    const auto cached = cache_.find(number);
    if (cached == cache_.end() || !cached->second.changed || cached->second.barrier != 0) {
        return;
    }
    requireWritable();
    cached->second.barrier = ++lastBarrier_;
    barriers_.push_back(number);
}

void PageChannel::flushAll() {
    const bool wrote = changedPages_ > 0;
    writeChangedPages();
    if (wrote) {
        try {
            store_->sync();
        } catch (const Error&) {
            broken_ = true;
            throw;
        }
    }
}

void PageChannel::shorten(std::uint32_t pageCount) {
    writeChangedPages();
    requireWritable();
    try {
        store_->truncate(std::uint64_t{pageCount} * format_.pageSize);
        store_->sync();
    } catch (const Error&) {
        broken_ = true;
        throw;
    }
    std::erase_if(cache_, [pageCount](const auto& entry) { return entry.first >= pageCount; });
    pageCount_ = std::min(pageCount_, pageCount);
}

void PageChannel::flushIfFull() {
    if (changedPages_ >= kChangedPagesHeld) {
        writeChangedPages();
        store_->beginSync();
        if (openScopes_ == 0) {
            dropUnchangedPages();
        }
    }
}

void PageChannel::dropUnchangedPages() const {
    std::erase_if(cache_, [this](auto& entry) {
        if (entry.second.changed || entry.second.bytes.use_count() != 1) {
            return false;
        }
        if (spareBuffers_.size() < kCachedPages) {
            spareBuffers_.push_back(std::move(entry.second.bytes));
        }
        return true;
    });
}

std::shared_ptr<std::vector<std::uint8_t>> PageChannel::pageBuffer() const {
    if (spareBuffers_.empty()) {
        return std::make_shared<std::vector<std::uint8_t>>(format_.pageSize);
    }
    auto buffer = std::move(spareBuffers_.back());
    spareBuffers_.pop_back();
    return buffer;
}

}  // namespace glossel::jet
