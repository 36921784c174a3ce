// An open file: owns its descriptor (closed when the File goes) and does the reads and writes the
// engines need, whole even when the system hands over less at a time or a signal interrupts it.
// Operations return 0 on success, otherwise the system's error number (see SystemErrorText.h);
// callers word the message, as only they know which object the file holds.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "platform/files/FileIdentity.h"

namespace glossel::files {

enum class Access {
    read,
    readWrite,
    createNew,     // a new file for reading and writing; fails when one is there (EEXIST)
    openOrCreate,  // for reading, created empty when missing (lock files)
};

struct FileInfo {
    FileIdentity identity;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    unsigned permissions = 0;  // the mode's 07777 bits
    bool regular = false;
    bool directory = false;
};

class File {
public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // `path` joined with "\" or native. A new file gets 0644 under the umask.
    [[nodiscard]] int open(const std::string& path, Access access);
    bool isOpen() const { return descriptor_ >= 0; }

    [[nodiscard]] int info(FileInfo& out) const;

    // Reads what comes next, up to out.size() bytes; `got` is 0 at the end of the file.
    [[nodiscard]] int readSome(std::span<std::uint8_t> out, std::size_t& got);
    // Reads what is left of the file, appending it to `bytes`.
    [[nodiscard]] int readToEnd(std::vector<std::uint8_t>& bytes);
    // Reads exactly out.size() bytes at `offset`; kEndOfFile when the file is shorter.
    [[nodiscard]] int readAt(std::uint64_t offset, std::span<std::uint8_t> out) const;

    [[nodiscard]] int writeAll(std::span<const std::uint8_t> bytes);
    [[nodiscard]] int writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);

    // Cuts the file to `length` bytes (or lengthens it with zeros).
    [[nodiscard]] int truncate(std::uint64_t length);
    [[nodiscard]] int setPermissions(unsigned bits);
    // Makes everything written so far durable.
    [[nodiscard]] int sync();
    // Starts write-back without waiting (see Writeback.h).
    void startWriteback();
    // Waits for an exclusive advisory lock on the whole file, held until the file is closed.
    [[nodiscard]] int lockExclusive();
    // Takes the same lock without waiting: EWOULDBLOCK when another open of the file holds it.
    [[nodiscard]] int tryLockExclusive();
    // Whether another open of the file holds a byte-range lock on any part of it, as database
    // engines lock their files and lock files (on Windows shares these arrive as POSIX locks).
    [[nodiscard]] int testRangeLocks(bool& locked) const;
    // Hands the descriptor over to a C stream opened with `mode` ("wb", …), which the caller then
    // closes; nullptr with the system's error number in `error` when that fails. The File is
    // closed afterwards either way.
    std::FILE* releaseToStream(const char* mode, int& error);
    // Closes now, reporting what the system reports on closing (a late write error).
    [[nodiscard]] int close();

private:
    int descriptor_ = -1;
};

}  // namespace glossel::files
