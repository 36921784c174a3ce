// Rewriting a finished database as a fresh write would have stored it: each table's rows in
// storage order, packed page after page from the table's first page on, without moved-row
// pointers. The pages no longer needed are given up, and the file ends after the last page still
// in use. Tables with indexes keep their rows where they are, since their index entries name the
// rows' places.
//
// The rows are rewritten in place, so a crash during the rewrite leaves the table damaged: this
// is for a file the caller created and is finishing, that nothing else has open and that is
// thrown away when finishing it fails (e.g. one built under a temporary name and given its final
// name only afterwards). The file is cut after its last page in use and synced once, when
// every page is written.
#pragma once

#include <string>

namespace glossel::jet {

// Errors name `path` as given: 3024 when the file does not exist, 3045 when another handle in
// this process has it open, 3027 when it cannot be written.
void compactDatabase(const std::string& path);

}  // namespace glossel::jet
