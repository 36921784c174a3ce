// A byte store in memory whose writes fail after a given number of them, as on a full disk:
// the failing write and every later one change nothing.
#pragma once

#include "platform/Error.h"
#include "platform/jet/PageStore.h"

namespace glossel::test {

class FailingStore : public jet::PageStore {
public:
    FailingStore(std::vector<std::uint8_t> bytes, int writesBeforeFailure)
        : inner_(std::move(bytes)), writesLeft_(writesBeforeFailure) {}

    std::uint64_t size() const override { return inner_.size(); }
    void read(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        inner_.read(offset, out);
    }
    bool writable() const override { return true; }
    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        if (writesLeft_-- <= 0) {
            failed_ = true;
            throw Error(err::kDiskIo, "Schreibfehler (Test): der Datenträger ist voll.");
        }
        inner_.write(offset, bytes);
    }
    void truncate(std::uint64_t length) override { inner_.truncate(length); }
    void sync() override {}

    bool failed() const { return failed_; }
    const std::vector<std::uint8_t>& bytes() const { return inner_.bytes(); }

private:
    jet::MemoryStore inner_;
    int writesLeft_;
    bool failed_ = false;
};

}  // namespace glossel::test
