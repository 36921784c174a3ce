// The file layer's facts about a file, taken from what stat() reports (POSIX implementation only).
#pragma once

#include <sys/stat.h>

#include "platform/files/File.h"

namespace glossel::files {

inline FileInfo fileInfoOf(const struct stat& status) {
    FileInfo info;
    info.identity = {static_cast<std::uint64_t>(status.st_dev),
                     static_cast<std::uint64_t>(status.st_ino)};
    info.size = static_cast<std::uint64_t>(status.st_size);
    info.modifiedNs = std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
    info.changedNs = std::int64_t{status.st_ctim.tv_sec} * 1'000'000'000 + status.st_ctim.tv_nsec;
    info.permissions = static_cast<unsigned>(status.st_mode & 07777);
    info.regular = S_ISREG(status.st_mode);
    info.directory = S_ISDIR(status.st_mode);
    return info;
}

}  // namespace glossel::files
