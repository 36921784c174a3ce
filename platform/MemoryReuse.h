// How the process keeps the memory it frees. The engines walk files of tens of megabytes in
// page-sized pieces and free their buffers in bursts (a page cache emptied, a table's rows
// written); handed back to the system each time, that memory costs a page fault per 4 KiB when
// it is taken again, tens of thousands of them in one export.
#pragma once

namespace glossel {

// Keeps freed memory in the process for reuse instead of handing it back after each burst, so
// that the process's footprint stays at its peak until it ends. Called once at program start.
void keepFreedMemoryForReuse();

}  // namespace glossel
