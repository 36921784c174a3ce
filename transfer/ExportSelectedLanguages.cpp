// The export of the selected languages into an exchange file. The file is built under a temporary
// name beside the target (an XLIFF document by its own writer, see XliffExport.h): the template is copied there, its table is linked into the project
// database as TidxTemp, the language columns or header cells are prepared, one insert-select fills
// it, the link is removed, and every language is repaired into its own code page; a database is
// then compacted, as the repair moves the rows it lengthens. Only when all of that succeeded does
// the new file replace the target, so that a failure leaves an earlier target as it was and
// nothing half-made behind.
//
// A project that cannot be opened is reported with the reason it could not be opened. Repair
// failures are reported too, all of them at once: a text left in the wrong code page would
// otherwise arrive as unreadable characters in a file reported as exported.
#include <optional>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/ProgramDirectory.h"
#include "platform/dao/DBEngine.h"
#include "platform/files/StagedFile.h"
#include "platform/systools/SysTools.h"
#include "transfer/ExportRefusals.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"
#include "transfer/XliffExport.h"

namespace glossel::transfer {
namespace {

constexpr char kFailure[] = "Fehler beim Exportieren einer Sprache!";
constexpr char kFixedColumns[] = "ID, Description";
constexpr std::int16_t kFirstLanguageHeaderCell = 3;
constexpr int kShellCopy = 2;
constexpr int kSilentCopyFlags = 0x414;

// The languages whose repair failed, each with its error.
struct RepairFailures {
    std::vector<Error> errors;
};

std::vector<std::int32_t> selectedLanguages(const ListBox& list) {
    std::vector<std::int32_t> lcids;
    for (std::int16_t index = 0; index < list.ListCount(); ++index) {
        if (list.Selected(index)) {
            lcids.push_back(list.ItemData(index));
        }
    }
    return lcids;
}

void linkTarget(dao::Database& project, const std::string& connect, const std::string& source) {
    dao::TableDef link = project.CreateTableDef(kLinkedTable);
    link.SetConnect(connect);
    link.SetSourceTableName(source);
    project.TableDefs().Append(link);
}

void addLanguageColumns(const std::string& targetPath, const std::vector<std::int32_t>& lcids) {
    dao::Database target = dao::DBEngine().OpenDatabase(targetPath);
    dao::TableDef table = target.TableDefs().Item(kExchangeTable);
    for (const std::int32_t lcid : lcids) {
        dao::Field field = table.CreateField(languageColumnName(lcid), 10, 255);
        field.SetAllowZeroLength(true);
        table.Fields().Append(field);
    }
    target.Close();
}

void writeHeaderCells(dao::Database& project, const ExchangeKind& kind,
                      const std::string& targetPath, const std::vector<std::int32_t>& lcids) {
    dao::Recordset sheet = project.OpenRecordset(kLinkedTable);
    sheet.MoveFirst();
    sheet.Edit();
    std::int16_t cell = kFirstLanguageHeaderCell;
    for (const std::int32_t lcid : lcids) {
        sheet.Fields().Item("F" + std::to_string(cell)).SetValue(languageColumnName(lcid));
        ++cell;
    }
    sheet.Update();
    sheet.AddNew();
    sheet.Fields().Item("F1").SetValue(std::int16_t{0});
    sheet.Update();
    sheet.Close();
    project.TableDefs().Delete(kLinkedTable);
    linkTarget(project, kind.linkConnect(targetPath, true), kExchangeWorksheet);
}

// Copies the template to `exchangePath` and fills it from the project through the link.
void fillExchangeFile(dao::Database& project, const ExchangeKind& kind,
                      const std::string& templatePath, const std::string& exchangePath,
                      const std::vector<std::int32_t>& lcids) {
    systools::SysTools().FileTools().CopyFile(templatePath, exchangePath, kShellCopy,
                                              kSilentCopyFlags, 0);
    if (!kind.isWorkbook()) {
        linkTarget(project, kind.linkConnect(exchangePath, false), kExchangeTable);
        addLanguageColumns(exchangePath, lcids);
    } else {
        linkTarget(project, kind.linkConnect(exchangePath, false), kExchangeWorksheet);
        writeHeaderCells(project, kind, exchangePath, lcids);
    }
    std::string columns = kFixedColumns;
    for (const std::int32_t lcid : lcids) {
        columns += ", " + languageColumnName(lcid);
    }
    project.Execute("INSERT INTO " + std::string(kLinkedTable) + " SELECT " + columns + " FROM " +
                    kProjectTextTable);
    project.TableDefs().Delete(kLinkedTable);
    project.Close();
}

// Repairs every language, also after one failed; throws the failures together.
void repairLanguages(const std::string& exchangePath, const std::vector<std::int32_t>& lcids) {
    RepairFailures failures;
    for (const std::int32_t lcid : lcids) {
        try {
            RepairLanguageColumn(exchangePath, lcid);
        } catch (const Error& error) {
            failures.errors.push_back(error);
        }
    }
    if (!failures.errors.empty()) {
        throw failures;
    }
}

// The error as the user sees it: naming the target chosen, never the temporary file.
std::string shown(const Error& error, const std::optional<files::StagedFile>& exchange,
                  const std::string& targetPath) {
    std::string description = error.description();
    if (exchange) {
        const std::string& temporary = exchange->path();
        const std::string target = nativePath(targetPath);
        for (std::size_t at = description.find(temporary); at != std::string::npos;
             at = description.find(temporary, at + target.size())) {
            description.replace(at, temporary.size(), target);
        }
    }
    return std::to_string(error.number()) + ": " + description;
}

}  // namespace

bool ExportSelectedLanguages(const std::string& projectPath, const ListBox& list,
                             const std::string& targetPath, MessageBoxes& messages,
                             std::int32_t sourceLcid) {
    std::optional<files::StagedFile> exchange;
    try {
        const std::vector<std::int32_t> lcids = selectedLanguages(list);
        const ExchangeKind& kind = exchangeKind(targetPath);
        if (kind.xliff) {
            refuseExportIntoProject(projectPath, targetPath);
            exchange.emplace(nativePath(targetPath));
            writeXliffExport(projectPath, lcids, sourceLcid, exchange->path(),
                             nativePath(targetPath));
            exchange->commit();
            return true;
        }
        const std::string templatePath = programDirectory() + "\\" + std::string(kind.templateName);
        refuseExportIntoProject(projectPath, targetPath);
        if (kind.isWorkbook()) {
            refuseMoreLanguagesThanTemplateColumns(kind, templatePath, lcids);
        }

        std::optional<dao::Database> project;
        try {
            project.emplace(dao::DBEngine().OpenDatabase(projectPath));
            project->TableDefs().Delete(kLinkedTable);
        } catch (const Error&) {
            if (!project) {
                throw;
            }
        }
        exchange.emplace(nativePath(targetPath));
        fillExchangeFile(*project, kind, templatePath, exchange->path(), lcids);
        repairLanguages(exchange->path(), lcids);
        if (!kind.isWorkbook()) {
            dao::DBEngine().CompactDatabase(exchange->path());
        }
        exchange->commit();
        return true;
    } catch (const Error& error) {
        messages.ShowPlain(std::string(kFailure) + "\n" + shown(error, exchange, targetPath));
    } catch (const RepairFailures& failures) {
        std::string text = kFailure;
        for (const Error& error : failures.errors) {
            text += "\n" + shown(error, exchange, targetPath);
        }
        messages.ShowPlain(text);
    }
    return false;
}

}  // namespace glossel::transfer
