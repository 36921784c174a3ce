// The byte store under a Jet file: the one seam through which the engine reaches the file, so that
// tests and the fuzzer can run on bytes in memory and tests can make writes fail.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace glossel::jet {

class PageStore {
public:
    virtual ~PageStore() = default;

    virtual std::uint64_t size() const = 0;
    // Reads exactly out.size() bytes at offset; the caller keeps within size().
    virtual void read(std::uint64_t offset, std::span<std::uint8_t> out) const = 0;

    virtual bool writable() const = 0;
    // Writes bytes at offset, growing the store when they reach past its end. Throws
    // glossel::Error (3043) when the write fails, e.g. on a full disk.
    virtual void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
    // Cuts the store to `length` bytes. Throws glossel::Error (3043) when that fails.
    virtual void truncate(std::uint64_t length) = 0;
    // Makes every write so far durable, the length included.
    virtual void sync() = 0;
    // Starts making the writes so far durable without waiting for it, so that a later sync()
    // has less left to wait for. A hint: stores may ignore it.
    virtual void beginSync() {}
};

// Identifies an open file, so that every handle on it in this process shares one page cache.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

struct OpenedFile {
    std::unique_ptr<PageStore> store;
    FileIdentity identity;
};

// Opens a file for reading and, where the file allows it, writing. Errors name displayPath:
// 3024 when it does not exist, 3051 when it cannot be opened.
OpenedFile openFileStore(const std::string& nativePath, const std::string& displayPath);

class MemoryStore : public PageStore {
public:
    explicit MemoryStore(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::uint64_t size() const override { return bytes_.size(); }
    void read(std::uint64_t offset, std::span<std::uint8_t> out) const override;
    bool writable() const override { return true; }
    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override;
    void truncate(std::uint64_t length) override { bytes_.resize(length); }
    void sync() override {}

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace glossel::jet
