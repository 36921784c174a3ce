// Quoting of CSV fields.
#include "platform/CsvQuoting.h"

namespace glossel {

std::string csvQuoted(const std::string& text) {
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

}  // namespace glossel
