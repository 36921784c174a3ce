// A file built beside its target and put in the target's place only when it is complete: the
// staged file is a new, hidden, empty file in the target's directory (".Texte-XXXXXX.xls" for
// ".../Texte.xls"), written by whoever gets its path. commit() makes it durable and renames it
// over the target in one step, so that a reader sees either the old file or the whole new one; a
// staged file dropped without commit() is removed, so that nothing is left behind.
#pragma once

#include <string>

namespace glossel::files {

class StagedFile {
public:
    // Reserves the staged file for `target` (joined with "\" or native). When `target` is a
    // symbolic link, the file it points to is the one replaced, and the staged file lives in that
    // file's directory. Throws FileError (a glossel::Error that keeps the system's error number)
    // 3051 naming `target` when the directory takes no new file (missing, not writable, read-only
    // file system, full).
    explicit StagedFile(const std::string& target);
    // Removes the staged file unless commit() has put it in the target's place.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // The native path of the staged file, to be written by any means before commit(). The file
    // may also be replaced (renamed over) meanwhile; commit() takes whatever is at this path.
    const std::string& path() const { return path_; }

    // Syncs the staged file to disk, gives it the permission bits of the existing target (those of
    // a new file otherwise: 0644 under the umask), renames it over the target and syncs the
    // directory. Throws FileError 3043 naming the target when a step fails; the target then
    // stays as it was and the staged file is removed when this object goes.
    void commit();

private:
    std::string target_;        // as given, for messages (native form)
    std::string replaced_;      // native path of the file that is replaced
    std::string path_;          // native path of the staged file
    unsigned newFileMode_ = 0;  // permission bits a new file gets under the umask
    bool committed_ = false;
};

}  // namespace glossel::files
