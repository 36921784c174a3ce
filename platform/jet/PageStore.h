// The byte store under a Jet file: the one seam through which the engine reaches the file, so that
// tests and the fuzzer can run on bytes in memory.
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
};

// Opens a file for reading. Errors name displayPath: 3024 when it does not exist,
// 3051 when it cannot be opened.
std::unique_ptr<PageStore> openFileStore(const std::string& nativePath,
                                         const std::string& displayPath);

class MemoryStore : public PageStore {
public:
    explicit MemoryStore(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::uint64_t size() const override { return bytes_.size(); }
    void read(std::uint64_t offset, std::span<std::uint8_t> out) const override;

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace glossel::jet
