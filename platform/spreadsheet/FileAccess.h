// Reading a workbook file whole, and replacing it safely: the new bytes go into a new file in
// the same directory, are synced to disk, and only then renamed over the old file, so that a
// failure at any step leaves the old file as it was and no partial file behind.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/spreadsheet/StreamBytes.h"

namespace glossel::spreadsheet {

// Tells whether a file is still the one seen before without reading it: replacing the file
// changes its inode, rewriting it in place its size or its change times. A rewrite in place to
// the same size within one tick of the file system's clock goes unnoticed.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file now; nullopt when it cannot be read.
std::optional<FileStamp> stampOf(const std::string& nativePath);

struct FileBytes {
    StreamBytes bytes;
    FileStamp stamp;  // of the file the bytes were read from
};

// Errors name `displayPath`: 3024 when the file does not exist, 3051 when it cannot be opened,
// 3043 when reading fails.
FileBytes readWholeFile(const std::string& nativePath, const std::string& displayPath);

// `write` puts the new content into the file it is given (an error it throws ends the
// replacement). Returns the stamp of the new file, nullopt when it cannot be told (someone
// replaced it again at once). Errors: 3051 when no new file can be created beside the old one,
// 3043 when writing, syncing or renaming fails.
std::optional<FileStamp> replaceFile(const std::string& nativePath, const std::string& displayPath,
                                     const std::function<void(std::FILE*)>& write);

}  // namespace glossel::spreadsheet
