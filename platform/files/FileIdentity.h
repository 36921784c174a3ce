// Which file a path names: device and inode, with symbolic links followed. Two paths name the same
// file (the same path, a hard link or a symbolic link to it) exactly when their identities match.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace glossel::files {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of the file at `path` (joined with "\" or native); nullopt when nothing is there.
// Throws glossel::Error (3051, naming the path) when that cannot be told, e.g. for lack of the
// right to look into a directory on the way.
std::optional<FileIdentity> identityOf(const std::string& path);

}  // namespace glossel::files
