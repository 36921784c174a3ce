// Benchmark: reads an XLIFF document with the import's reader and prints its files, units and
// the time taken, apart from what the import does with them.
#include <chrono>
#include <iostream>

#include "platform/Error.h"
#include "platform/xliff/XliffReader.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Aufruf: xliff_read_bench DOKUMENT.xlf\n";
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    try {
        const auto start = Clock::now();
        const glossel::xliff::XliffDocument document = glossel::xliff::readXliff(argv[1]);
        const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
        std::size_t units = 0;
        for (const auto& file : document.files) {
            units += file.units.size();
        }
        std::cout << document.files.size() << " files, " << units << " units, "
                  << elapsed.count() << " ms\n";
    } catch (const glossel::Error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
