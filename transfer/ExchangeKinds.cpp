// The table of exchange file kinds.
#include "transfer/ExchangeKinds.h"

#include "platform/xls/Workbook.h"
#include "platform/xlsx/Workbook.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

const ExchangeKind kKinds[] = {
    {"xls", "Export.xls", "Excel 5.0", "Excel 8.0", &xls::readWorkbook},
    {"xlsx", "Export.xlsx", "Excel 12.0 Xml", "Excel 12.0 Xml", &xlsx::readWorkbook},
    {"mdb", "Export.mdb", "", "", nullptr},
    {"xlf", "", "", "", nullptr, true},
};

}  // namespace

std::string ExchangeKind::linkConnect(const std::string& path, bool firstRowHoldsNames) const {
    if (!isWorkbook()) {
        return ";DATABASE=" + path;
    }
    return std::string(linkDriver) + (firstRowHoldsNames ? ";HDR=YES" : ";HDR=NO") +
           ";IMEX=2;DATABASE=" + path;
}

std::string ExchangeKind::repairConnect() const {
    return isWorkbook() ? std::string(repairDriver) + ";HDR=YES;IMEX=2;" : std::string();
}

std::string ExchangeKind::templateConnect() const {
    return isWorkbook() ? std::string(repairDriver) + ";HDR=NO;IMEX=2;" : std::string();
}

std::string_view ExchangeKind::exchangeTable() const {
    return isWorkbook() ? kExchangeWorksheet : kExchangeTable;
}

const ExchangeKind* exchangeKindOf(std::string_view extension) {
    for (const ExchangeKind& kind : kKinds) {
        if (kind.extension == extension) {
            return &kind;
        }
    }
    return nullptr;
}

std::string exchangeExtensionsText() {
    return "\".xls\", \".xlsx\", \".mdb\" oder \".xlf\"";
}

}  // namespace glossel::transfer
