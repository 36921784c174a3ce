// Write-back started with sync_file_range; it is a hint, so its errors are left to fsync.
#include <fcntl.h>

#include <cstdio>

#include "platform/files/Writeback.h"

namespace glossel::files {

void startWriteback(int descriptor) {
    ::sync_file_range(descriptor, 0, 0, SYNC_FILE_RANGE_WRITE);
}

void startWriteback(std::FILE* stream) {
    startWriteback(::fileno(stream));
}

}  // namespace glossel::files
