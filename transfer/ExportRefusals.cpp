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

constexpr std::size_t kFixedColumnCount = 2;  // ID, Description

}  // namespace

const ExchangeKind& exchangeKind(const std::string& targetPath) {
    const std::string extension = systools::SysTools().FileTools().GetExtension(targetPath);
    if (const ExchangeKind* kind = exchangeKindOf(extension)) {
        return *kind;
    }
    const std::string found =
        extension.empty() ? "keine Endung" : "die Endung \"." + extension + "\"";
    throw Error(err::kNoFieldsDefined, "Die Zieldatei '" + nativePath(targetPath) + "' hat " +
                                           found + "; eine Austauschdatei endet auf " +
                                           exchangeExtensionsText() + ".");
}

void refuseExportIntoProject(const std::string& projectPath, const std::string& targetPath) {
    const auto project = files::identityOf(nativePath(projectPath));
    if (project && project == files::identityOf(nativePath(targetPath))) {
        throw Error(err::kCannotOpen, "Die Zieldatei '" + nativePath(targetPath) +
                                          "' ist die Projektdatei selbst; sie wird nicht "
                                          "überschrieben.");
    }
}

void refuseMoreLanguagesThanTemplateColumns(const ExchangeKind& kind,
                                            const std::string& templatePath,
                                            const std::vector<std::int32_t>& lcids) {
    dao::Database workbook =
        dao::DBEngine().OpenDatabase(templatePath, false, kind.templateConnect());
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
