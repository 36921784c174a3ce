// Starting the write-back of a file's written pages to its disk without waiting for it, where the
// system offers that (Linux); elsewhere nothing happens and the next fsync does all the work.
#pragma once

#include <cstdio>

namespace glossel::files {

void startWriteback(int descriptor);
// For a stream the caller has just flushed.
void startWriteback(std::FILE* stream);

}  // namespace glossel::files
