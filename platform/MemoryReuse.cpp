// Freed memory kept through the C library's allocator settings: blocks up to 32 MiB come from the
// heap rather than from mappings of their own, the top of the heap is given back only beyond
// 128 MiB, the heap grows 16 MiB at a time, and every thread takes from that one heap; a restart
// gives the heap huge pages.
#include "platform/MemoryReuse.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdlib>

namespace glossel {
namespace {

constexpr char kTunables[] = "GLIBC_TUNABLES";
constexpr char kHugePageSetting[] = "glibc.malloc.hugetlb";
constexpr char kHugePageHeap[] = "glibc.malloc.hugetlb=1";

}  // namespace

void keepFreedMemoryForReuse() {
    constexpr int kKeptTop = 128 << 20;
    constexpr int kGrowth = 16 << 20;
    constexpr int kLargestFromHeap = 32 << 20;
    ::mallopt(M_MMAP_THRESHOLD, kLargestFromHeap);
    ::mallopt(M_TRIM_THRESHOLD, kKeptTop);
    ::mallopt(M_TOP_PAD, kGrowth);
    // A heap of its own for each thread (the library's default) would start with a huge page of
    // its own for the few bytes a short-lived thread frees, such as those that deflate a part.
    ::mallopt(M_ARENA_MAX, 1);
}

std::optional<std::string> tunablesWithHugePageHeap(const char* current) {
    const std::string tunables = current ? current : "";
    for (std::size_t start = 0; start <= tunables.size();) {
        const std::size_t end = std::min(tunables.find(':', start), tunables.size());
        const std::string_view tunable = std::string_view(tunables).substr(start, end - start);
        if (tunable.starts_with(std::string(kHugePageSetting) + "=")) {
            return std::nullopt;
        }
        start = end + 1;
    }
    return tunables.empty() ? std::string(kHugePageHeap) : tunables + ":" + kHugePageHeap;
}

void restartWithHugePageHeap(char* argv[]) {
    const char* current = std::getenv(kTunables);
    const std::optional<std::string> previous =
        current ? std::optional<std::string>(current) : std::nullopt;
    const std::optional<std::string> tunables = tunablesWithHugePageHeap(current);
    if (!tunables || ::setenv(kTunables, tunables->c_str(), 1) != 0) {
        return;
    }
    ::execv("/proc/self/exe", argv);
    if (previous) {
        ::setenv(kTunables, previous->c_str(), 1);
    } else {
        ::unsetenv(kTunables);
    }
}

}  // namespace glossel
