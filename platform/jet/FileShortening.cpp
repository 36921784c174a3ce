// Shortening with ftruncate, then fsync.
#include "platform/jet/FileShortening.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Error.h"

namespace glossel::jet {

void shortenFile(const std::string& nativePath, std::uint64_t length,
                 const std::string& displayPath) {
    const int fd = ::open(nativePath.c_str(), O_WRONLY | O_CLOEXEC);
    const bool done =
        fd >= 0 && ::ftruncate(fd, static_cast<off_t>(length)) == 0 && ::fsync(fd) == 0;
    const int reason = errno;
    if (fd >= 0) {
        ::close(fd);
    }
    if (!done) {
        throw Error(err::kDiskIo, "Die Datei '" + displayPath + "' kann nicht gekürzt werden: " +
                                      std::strerror(reason) + ".");
    }
}

}  // namespace glossel::jet
