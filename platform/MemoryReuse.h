// How the process keeps the memory it frees. The engines walk files of tens of megabytes in
// page-sized pieces and free their buffers in bursts (a page cache emptied, a table's rows
// written); handed back to the system each time, that memory costs a page fault per 4 KiB when
// it is taken again, tens of thousands of them in one export.
#pragma once

#include <optional>
#include <string>

namespace glossel {

// Keeps freed memory in the process for reuse instead of handing it back after each burst, so
// that the process's footprint stays at its peak until it ends. Called once at program start.
void keepFreedMemoryForReuse();

// The C library's setting that backs the heap with huge pages (2 MiB instead of 4 KiB: a page
// fault and a TLB entry per 2 MiB of the tens of megabytes a workbook takes), added to the
// tunables `current` holds; nullopt when they already say how the heap uses huge pages.
std::optional<std::string> tunablesWithHugePageHeap(const char* current);

// The library takes that setting only from the environment at program start, so the program
// starts itself once more with it, with the same arguments; returns without it when it is set
// already or the restart fails. Called first thing in main.
void restartWithHugePageHeap(char* argv[]);

}  // namespace glossel
