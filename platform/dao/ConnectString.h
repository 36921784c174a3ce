// Connect strings as DAO takes them: an optional ISAM type ("Excel 5.0", "Excel 8.0" for Excel 97
// workbooks, "Excel 12.0 Xml" for Office Open XML workbooks; empty for a Jet database) and then KEY=value parts, separated by ";". Keys compare without regard to case;
// keys the engine does not use are ignored.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace glossel::dao {

struct ConnectString {
    std::string type;                           // as written, e.g. "Excel 5.0"; empty for Jet
    std::map<std::string, std::string> values;  // keys in upper case

    // "Excel 3.0" … "Excel 8.0": the Excel 97 workbook driver.
    bool isExcel97Workbook() const;
    // "Excel 12.0 Xml": the Office Open XML workbook driver.
    bool isOfficeOpenXmlWorkbook() const;
    std::optional<std::string> value(const std::string& key) const;
    // DATABASE=; error 3044 naming the connect string when it is missing.
    std::string database() const;
    // HDR=YES (the default) or HDR=NO.
    bool firstRowHoldsNames() const;

    static ConnectString parse(const std::string& text);
};

}  // namespace glossel::dao
