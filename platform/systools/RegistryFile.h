// The ".reg" file that holds the machine registry. Reading takes the file as it is; a change
// locks the file (through a lock file beside it, "<file>.lock"), reads it again, and replaces it
// at once by a new file written beside it, so that a reader sees either the old or the new
// registry and a change by another process made before the lock was taken is kept.
#pragma once

#include <string>
#include <vector>

#include "platform/systools/RegistryTree.h"

namespace glossel::systools {

class RegistryFile {
public:
    explicit RegistryFile(std::string path);

    // The registry the file describes; empty when there is no file. Throws glossel::Error
    // kRegistryIoFailed when it cannot be read, kRegistryCorrupt when it is malformed.
    RegistryTree read() const;

    // Removes the key `path` (hive name, then at least one key name) and everything below it.
    // True when the key is gone afterwards (also when there was none); false when the file may
    // not be changed (no rights, read-only file system) and so stays as it was. Throws as read()
    // does, and kRegistryIoFailed when writing fails otherwise (the file then stays as it was).
    bool removeKey(const std::vector<std::string>& path) const;

private:
    std::string path_;
};

}  // namespace glossel::systools
