// Benchmark: fills a copy of the Excel template as the exporter does — 60,000 rows of an ID and
// four texts (a description and three 20–80 character texts) — and closes it, which writes the
// file. Prints the time taken and the file size. The texts come from the same generator as
// bench/xlwt_write.py, so that both write the same rows.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/xls/Workbook.h"

namespace {

// A 32-bit linear congruential generator; bench/xlwt_write.py has the same.
class Texts {
public:
    std::string next(std::size_t length) {
        static const std::vector<std::string> alphabet = {
            "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p",
            "q", "r", "s", "t", "u", "v", "w", "x", "y", "z", " ", "Ä", "Ö", "Ü", "ä", "ö",
            "ü", "ß", "а", "б", "в", "г", "д", "е", "ж", "з", "и", "й", "к", "л", "м", "н",
            "о", "п", "р", "с", "т", "у", "ф", "х", "ц", "ч", "ш", "щ", "ы", "э", "ю", "я"};
        std::string text;
        for (std::size_t i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        return text;
    }
    std::uint32_t random() {
        state_ = state_ * 1103515245u + 12345u;
        return state_ >> 16;
    }

private:
    std::uint32_t state_ = 12345;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "Aufruf: xls_write_bench VORLAGE.xls AUSGABE.xls [ZEILEN]\n";
        return 2;
    }
    const std::size_t rows = argc > 3 ? std::stoul(argv[3]) : 60000;
    using Clock = std::chrono::steady_clock;
    try {
        std::filesystem::copy_file(argv[1], argv[2],
                                   std::filesystem::copy_options::overwrite_existing);
        const auto start = Clock::now();
        auto workbook = glossel::xls::openWorkbook(argv[2]);
        auto& sheet = workbook->worksheet("TidxTexts");
        Texts texts;
        std::vector<glossel::spreadsheet::CellValue> row(5);
        for (std::size_t i = 1; i <= rows; ++i) {
            row[0] = static_cast<double>(i);
            row[1] = "Beschreibung " + std::to_string(i);
            for (std::size_t column = 2; column < 5; ++column) {
                row[column] = texts.next(20 + texts.random() % 61);
            }
            sheet.appendRow(row);
        }
        workbook.close();
        const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
        std::cout << rows << " rows, " << std::filesystem::file_size(argv[2]) << " bytes, "
                  << elapsed.count() << " ms\n";
    } catch (const glossel::Error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
