// Cutting a closed Jet file after its last page in use.
#pragma once

#include <cstdint>
#include <string>

namespace glossel::jet {

// Cuts the file to `length` bytes and waits until the disk has it. Error 3043 naming
// displayPath when that fails.
void shortenFile(const std::string& nativePath, std::uint64_t length,
                 const std::string& displayPath);

}  // namespace glossel::jet
