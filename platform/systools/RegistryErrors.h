// Error numbers of the registry tools, as Windows reports the same failures.
#pragma once

namespace glossel::systools {

inline constexpr int kRegistryCorrupt = 1015;   // ERROR_REGISTRY_CORRUPT: the file is malformed
inline constexpr int kRegistryIoFailed = 1016;  // ERROR_REGISTRY_IO_FAILED: reading or writing

}  // namespace glossel::systools
