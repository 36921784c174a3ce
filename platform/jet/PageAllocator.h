// Allocating pages. Page 1 holds the global map: an inline usage map in which a set bit marks a
// free page. A page the map marks free is taken before the file grows; a claimed page is cleared
// in the map, and the map is written before the page is used, so that a failure afterwards can
// only leave an unused page behind, never a used page marked free.
//
// A file that grows claims its new pages in the map a few dozen at a time, so that the map is not
// written again for every new page. The pages claimed beyond the end of the file are marked free
// again before the file is closed, as every file keeps them.
//
// Files whose map window does not start at page 0 (the window moved by another engine) are not
// trusted for free pages: new pages then always come from the end of the file.
#pragma once

#include <cstdint>

#include "platform/jet/PageChannel.h"

namespace glossel::jet {

// A zeroed page, claimed in the global map and flushed there.
std::uint32_t allocatePage(PageChannel& channel);

// Ends a round of changes: the claims beyond the end released when the file grew, every changed
// page written and the file synced.
void finishWriting(PageChannel& channel);

// Marks every page from `end` on free in the global map, as in a file that ends before `end`;
// the caller cuts the file there.
void releasePagesFrom(PageChannel& channel, std::uint32_t end);

// Gives a page that nothing refers to any more back: zeroed, and marked free in the global map.
void releasePage(PageChannel& channel, std::uint32_t number);

}  // namespace glossel::jet
