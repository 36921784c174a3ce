// The review of an import as the import window opens it: reading and planning (prepareImport,
// every change listed), then the dialog built, shown and drawn once; then a sort by the file's
// texts and a search, as a user tries them. Prints each step's wall time; peak memory is taken
// by the calling script (bench/run-review).
// Usage: import_review_bench PROJECT.tvs EXCHANGE LCID...   (QT_QPA_PLATFORM=offscreen)
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "forms/ApplicationSetUp.h"
#include "forms/FImportReview.h"
#include "transfer/ImportLanguages.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The process's peak resident memory so far, in MiB (Linux: VmHWM).
long peakMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6)) / 1024;
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "Aufruf: import_review_bench PROJEKT DATEI LCID...\n");
        return 2;
    }
    QApplication application(argc, argv);
    glossel::forms::setUpApplication(application);
    std::vector<std::int32_t> lcids;
    for (int i = 3; i < argc; ++i) {
        lcids.push_back(static_cast<std::int32_t>(std::atoi(argv[i])));
    }
    glossel::transfer::ImportOptions options;
    options.listChanges = true;

    const Clock::time_point start = Clock::now();
    glossel::transfer::PreparedImport prepared =
        glossel::transfer::prepareImport(argv[1], argv[2], lcids, options);
    const double planned = secondsSince(start);
    const long plannedPeak = peakMiB();
    glossel::forms::FImportReview review(prepared.summary(), options,
                                         glossel::forms::FImportReview::Purpose::Import);
    review.show();
    auto& table = *review.findChild<QTableView*>("tblChanges");
    table.viewport()->repaint();
    QApplication::processEvents();
    const double opened = secondsSince(start);
    const long openedPeak = peakMiB();

    Clock::time_point step = Clock::now();
    table.sortByColumn(3, Qt::AscendingOrder);
    table.viewport()->repaint();
    const double sorted = secondsSince(step);
    step = Clock::now();
    review.findChild<QLineEdit*>("txtSearch")->setText("7 2");
    table.viewport()->repaint();
    const double searched = secondsSince(step);

    std::printf("%zu changes; read and planned %.2f s (peak %ld MiB), review open %.2f s "
                "(peak %ld MiB); sort by file text %.2f s, search %.2f s (%d rows)\n",
                prepared.summary().changes.size(), planned, plannedPeak, opened, openedPeak,
                sorted, searched, table.model()->rowCount());
    return 0;
}
