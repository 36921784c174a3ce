// Reading a workbook file whole, and replacing it safely: the new bytes go into a new file in
// the same directory, are synced to disk, and only then renamed over the old file, so that a
// failure at any step leaves the old file as it was and no partial file behind.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace glossel::xls {

// Errors name `displayPath`: 3024 when the file does not exist, 3051 when it cannot be opened,
// 3043 when reading fails.
std::vector<std::uint8_t> readWholeFile(const std::string& nativePath,
                                        const std::string& displayPath);

// `write` puts the new content into the file it is given (an error it throws ends the
// replacement). Errors: 3051 when no new file can be created beside the old one, 3043 when
// writing, syncing or renaming fails.
void replaceFile(const std::string& nativePath, const std::string& displayPath,
                 const std::function<void(std::FILE*)>& write);

}  // namespace glossel::xls
