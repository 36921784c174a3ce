// Benchmark: reads every value of a project's TidxTexts through the DAO layer, as the export and
// the code-page repair walk it, and prints the row count and the time taken.
#include <chrono>
#include <iostream>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Aufruf: read_texts_bench PROJEKT.tvs\n";
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    try {
        const auto start = Clock::now();
        auto database = glossel::dao::DBEngine().OpenDatabase(argv[1]);
        auto records = database.OpenRecordset("TidxTexts");
        const auto& fields = records.Fields();
        std::size_t rows = 0;
        std::size_t textBytes = 0;
        for (; !records.Eof(); records.MoveNext()) {
            ++rows;
            for (const auto& field : fields) {
                if (const auto* text = std::get_if<std::string>(&field.Value())) {
                    textBytes += text->size();
                }
            }
        }
        records.Close();
        database.Close();
        const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
        std::cout << rows << " rows, " << textBytes << " bytes of text, " << elapsed.count()
                  << " ms\n";
    } catch (const glossel::Error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
