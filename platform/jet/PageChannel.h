// Page access to one Jet file, shared by every handle on that file in the process: page numbers
// are checked against the file, pages are cached, and changed pages are buffered until they are
// flushed.
//
// Write ordering. Writers keep the file consistent at every step by calling flush(page) as a
// barrier before any other page is changed to refer to it (new row data before the pointer to
// it, a new page before the map that lists it, the global map's claim of a page before the page
// is used). A barrier does not write at once: the page joins the barrier list, and the list is
// written in its order before any other changed page. Changing a listed page that has later
// barriers behind it first writes the whole list, since its new bytes may refer to theirs; the
// page changed most often, the one new rows go to, is the last one listed and is written once
// for many rows. flushAll writes the list, then the other changed pages in ascending order, and
// syncs the file once. Unchanged pages leave the cache when it is full; changed ones only once
// they are written, and never while a buffer handed out for them is still held, so that holders
// keep seeing the page's changes.
//
// After a failed write the channel is broken: it refuses further changes and writes nothing more,
// so the file keeps what earlier writes made of it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
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
    // Flushes what is still buffered, unless the channel is broken; errors are lost here, so
    // callers that must know close with flushAll first.
    ~PageChannel();
    PageChannel(const PageChannel&) = delete;
    PageChannel& operator=(const PageChannel&) = delete;

    const JetFormat& format() const { return format_; }
    const std::string& path() const { return path_; }
    std::uint32_t pageCount() const { return pageCount_; }

    // The page's bytes; a page number beyond the file is reported as damage of `table`.
    PageBuffer page(std::uint32_t number, std::string_view table = {}) const;
    // A bounds-checked view of a page; keep the buffer alive while using the view.
    ByteView view(const PageBuffer& buffer, std::uint32_t number, std::string_view table) const;

    // Whether changes can be written (the file is writable and no write has failed).
    bool writable() const { return store_->writable() && !broken_; }
    // The page's bytes for changing, in place (buffers handed out by page() see the change); the
    // page is flushed later. Error 3027 when not writable.
    std::vector<std::uint8_t>& change(std::uint32_t number, std::string_view table = {});
    // The same for a page whose every byte the caller replaces: its old bytes are not read.
    std::vector<std::uint8_t>& overwrite(std::uint32_t number, std::string_view table = {});
    // A new zeroed page at the end of the file.
    std::uint32_t appendPage();
    // Whether the file has grown through this channel.
    bool grew() const { return grew_; }
    // A barrier: the page reaches the file before any page changed after this call.
    void flush(std::uint32_t number);
    // Writes every changed page and syncs the file.
    void flushAll();
    // Writes every changed page, cuts the file after its first `pageCount` pages and syncs it
    // once: for giving up the pages at the end of a file nothing else refers to any more.
    void shorten(std::uint32_t pageCount);
    // Writes the changed pages once there are more than the cache should hold, and starts their
    // way to the disk without waiting for it (the sync at flushAll then has less to wait for).
    // Outside a change scope the written pages then leave the cache, and their buffers serve the
    // pages that follow.
    void flushIfFull();

    // Held by a writer while it works on pages: references that change() returned stay valid,
    // because no page leaves the cache while a scope is open.
    class ChangeScope {
    public:
        explicit ChangeScope(PageChannel& channel) : channel_(channel) { ++channel_.openScopes_; }
        ~ChangeScope() { --channel_.openScopes_; }
        ChangeScope(const ChangeScope&) = delete;
        ChangeScope& operator=(const ChangeScope&) = delete;

    private:
        PageChannel& channel_;
    };

private:
    struct CachedPage {
        std::shared_ptr<std::vector<std::uint8_t>> bytes;
        bool changed = false;
        std::uint64_t barrier = 0;  // its place in the barrier list, 0 when not listed
    };
    static constexpr std::size_t kCachedPages = 1024;
    // Changed pages are written once there are this many, so that the pages read meanwhile have
    // room in the cache beside them.
    static constexpr std::size_t kChangedPagesHeld = kCachedPages / 4;
    static constexpr std::size_t kPagesPerWrite = 64;
    static constexpr std::uint32_t kPagesPerRead = 16;

    void requireWritable() const;
    void storeBytes(std::uint32_t firstPage, std::span<const std::uint8_t> bytes);
    void markWritten(CachedPage& page);
    void writePage(std::uint32_t number, CachedPage& page);
    // Writes pages with consecutive numbers, ascending, at once.
    void writeRun(std::span<const std::uint32_t> numbers);
    void writeBarriers();
    void writeChangedPages();
    void dropUnchangedPages() const;
    // A page-sized buffer, from the spare ones when there is one; its bytes are left as they are.
    std::shared_ptr<std::vector<std::uint8_t>> pageBuffer() const;

    std::unique_ptr<PageStore> store_;
    const JetFormat& format_;
    std::string path_;
    std::uint32_t pageCount_;
    bool broken_ = false;
    bool grew_ = false;
    int openScopes_ = 0;
    std::size_t changedPages_ = 0;
    std::vector<std::uint32_t> barriers_;  // listed pages, in the order of their barriers
    std::uint64_t lastBarrier_ = 0;
    mutable std::unordered_map<std::uint32_t, CachedPage> cache_;
    // Buffers of pages that left the cache while nothing else held them, kept for the next pages
    // read, so that walking a large file does not allocate and free its memory over and over.
    mutable std::vector<std::shared_ptr<std::vector<std::uint8_t>>> spareBuffers_;
    // The pages of one read and of one write, kept between them, as fresh buffers of that size
    // would be mapped and unmapped each time.
    mutable std::vector<std::uint8_t> readRun_;
    std::vector<std::uint8_t> writeRun_;
};

}  // namespace glossel::jet
