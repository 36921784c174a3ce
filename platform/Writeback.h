// Starting the write-back of a file's written pages to its disk without waiting for it, where the
// system offers that (Linux); elsewhere nothing happens and the next fsync does all the work.
#pragma once

namespace glossel {

void startWriteback(int fd);

}  // namespace glossel
