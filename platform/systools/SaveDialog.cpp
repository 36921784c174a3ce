// The filter text of the save dialog, split into its choices.
#include "platform/systools/SaveDialog.h"

#include "platform/Error.h"

namespace glossel::systools {

std::vector<FileFilter> parseFileFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size() && !filter.empty()) {
        const std::size_t bar = filter.find('|', start);
        const std::size_t end = bar == std::string::npos ? filter.size() : bar;
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    if (parts.size() % 2 != 0) {
        throw Error(err::kInvalidArgument, "Der Dateifilter '" + filter +
                                               "' besteht nicht aus Paaren von Beschreibung "
                                               "und Muster.");
    }
    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        if (parts[i + 1].empty()) {
            throw Error(err::kInvalidArgument,
                        "Im Dateifilter '" + filter + "' fehlt das Muster zu '" + parts[i] + "'.");
        }
        filters.push_back({parts[i], parts[i + 1]});
    }
    return filters;
}

}  // namespace glossel::systools
