// Parsing connect strings.
#include "platform/dao/ConnectString.h"

#include <algorithm>
#include <cctype>

#include "platform/Error.h"

namespace glossel::dao {
namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

ConnectString ConnectString::parse(const std::string& text) {
    ConnectString connect;
    std::size_t start = 0;
    bool first = true;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        const std::string part = text.substr(start, end - start);
        const std::size_t equals = part.find('=');
        if (equals != std::string::npos) {
            connect.values[upper(trimmed(part.substr(0, equals)))] =
                trimmed(part.substr(equals + 1));
        } else if (first) {
            connect.type = trimmed(part);
        }
        first = false;
        start = end + 1;
    }
    return connect;
}

bool ConnectString::isExcel97Workbook() const {
    const std::string name = upper(type);
    return name == "EXCEL 3.0" || name == "EXCEL 4.0" || name == "EXCEL 5.0" ||
           name == "EXCEL 8.0";
}

bool ConnectString::isOfficeOpenXmlWorkbook() const {
    return upper(type) == "EXCEL 12.0 XML";
}

std::optional<std::string> ConnectString::value(const std::string& key) const {
    const auto found = values.find(upper(key));
    return found == values.end() ? std::nullopt : std::optional(found->second);
}

std::string ConnectString::database() const {
    const auto path = value("DATABASE");
    if (!path || path->empty()) {
        std::string text = type;
        for (const auto& [key, entry] : values) {
            text += ";" + key + "=" + entry;
        }
        throw Error(3044, "Die Verbindungszeichenfolge '" + text +
                              "' nennt keine Datenbank (DATABASE= fehlt).");
    }
    return *path;
}

bool ConnectString::firstRowHoldsNames() const {
    const auto header = value("HDR");
    return !header || upper(*header) != "NO";
}

}  // namespace glossel::dao
