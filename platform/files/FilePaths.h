// Operations on paths that open no file: looking a file up, checking a right, removing, renaming.
// Paths are joined with "\" or native. Operations return 0 or the system's error number.
#pragma once

#include <cstdint>
#include <string>

#include "platform/files/File.h"

namespace glossel::files {

// Facts about the file `path` names, links followed.
[[nodiscard]] int infoOf(const std::string& path, FileInfo& out);

// 0 when this process, with its effective rights, may write to the file or directory `path`
// and its mode lets someone write to it (EACCES for a mode without write bits, even for root).
[[nodiscard]] int checkWritable(const std::string& path);

// The bytes an unprivileged writer may still put on the file system holding `directory`.
[[nodiscard]] int freeSpaceOf(const std::string& directory, std::uint64_t& bytes);

// The native path of the file `path` names, with every symbolic link resolved; the native form
// of `path` when that cannot be told (e.g. nothing is there).
std::string resolvedPath(const std::string& path);

// The native path of the directory holding `path` ("." for a bare name).
std::string directoryOf(const std::string& path);

[[nodiscard]] int removeFile(const std::string& path);

// Replaces `to` by `from` in one step; both on one file system.
[[nodiscard]] int renameFile(const std::string& from, const std::string& to);

// Gives the file `from` a second name `to` (a hard link); `to` must not exist. Fails (e.g. EPERM,
// EXDEV) where the file system has no hard links.
[[nodiscard]] int linkFile(const std::string& from, const std::string& to);

// Writes the content of the file `from` into the file `to`, which is truncated first.
[[nodiscard]] int copyContent(const std::string& from, const std::string& to);

// Makes the directory's entries (a file just created or renamed there) durable.
[[nodiscard]] int syncDirectory(const std::string& directory);

}  // namespace glossel::files
