// Write-back started with sync_file_range; it is a hint, so its errors are left to fsync.
#include <fcntl.h>

#include "platform/Writeback.h"

namespace glossel {

void startWriteback(int fd) {
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

}  // namespace glossel
