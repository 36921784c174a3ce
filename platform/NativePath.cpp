// Mapping of "\"-joined paths to native ones.
#include "platform/NativePath.h"

#include <algorithm>

namespace glossel {

std::string nativePath(const std::string& path) {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

}  // namespace glossel
