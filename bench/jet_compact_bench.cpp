// Benchmark: compacting a finished database whose rows grew (e.g. an export made without the
// compaction). Copies SOURCE.mdb to TARGET.mdb and compacts the copy, a given number of times;
// prints each time and the compacted size.
// Usage: jet_compact_bench SOURCE.mdb TARGET.mdb [TIMES]
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "Aufruf: jet_compact_bench QUELLE.mdb ZIEL.mdb [ANZAHL]\n";
        return 2;
    }
    const int times = argc == 4 ? std::stoi(argv[3]) : 5;
    try {
        for (int run = 0; run < times; ++run) {
            std::filesystem::copy_file(argv[1], argv[2],
                                       std::filesystem::copy_options::overwrite_existing);
            const auto start = Clock::now();
            glossel::dao::DBEngine().CompactDatabase(argv[2]);
            std::cout << "compact: " << millisecondsSince(start) << " ms, "
                      << std::filesystem::file_size(argv[2]) << " bytes\n";
        }
    } catch (const glossel::Error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
