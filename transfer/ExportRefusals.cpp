// Checks the export makes before it writes anything.
#include "transfer/ExportRefusals.h"

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/dao/DBEngine.h"
#include "platform/files/FileIdentity.h"
#include "platform/systools/SysTools.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr char kTemplateWithoutHeader[] = "Excel 8.0;HDR=NO;IMEX=2;";
constexpr std::size_t kFixedColumnCount = 2;  // ID, Description

}  // namespace

std::string exchangeKind(const std::string& targetPath) {
    std::string extension = systools::SysTools().FileTools().GetExtension(targetPath);
    if (extension == kWorkbookExtension || extension == kDatabaseExtension) {
        return extension;
    }
    const std::string found =
        extension.empty() ? "keine Endung" : "die Endung \"." + extension + "\"";
    throw Error(err::kNoFieldsDefined,
                "Die Zieldatei '" + nativePath(targetPath) + "' hat " + found +
                    "; eine Austauschdatei endet auf \".xls\" oder \".mdb\".");
}

void refuseExportIntoProject(const std::string& projectPath, const std::string& targetPath) {
    const auto project = files::identityOf(nativePath(projectPath));
    if (project && project == files::identityOf(nativePath(targetPath))) {
        throw Error(err::kCannotOpen, "Die Zieldatei '" + nativePath(targetPath) +
                                          "' ist die Projektdatei selbst; sie wird nicht "
                                          "überschrieben.");
    }
}

void refuseMoreLanguagesThanTemplateColumns(const std::string& templatePath,
                                            const std::vector<std::int32_t>& lcids) {
    dao::Database workbook =
        dao::DBEngine().OpenDatabase(templatePath, false, kTemplateWithoutHeader);
    const std::size_t columns = workbook.TableDefs().Item(kExchangeWorksheet).Fields().Count();
    workbook.Close();
    const std::size_t room = columns > kFixedColumnCount ? columns - kFixedColumnCount : 0;
    if (lcids.size() > room) {
        throw Error(err::kSpreadsheetFull, "Die Vorlage '" + nativePath(templatePath) +
                                               "' hat Spalten für " + std::to_string(room) +
                                               " Sprachen; gewählt sind " +
                                               std::to_string(lcids.size()) + ".");
    }
}

}  // namespace glossel::transfer
