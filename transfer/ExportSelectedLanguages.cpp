// The export of the selected languages into an exchange file: copy the template, link its table
// into the project database as TidxTemp, prepare the language columns or header cells, fill it
// with one insert-select, remove the link, and repair each language's code page.
//
// Beyond the original: a project that cannot be opened is reported with the reason it could not
// be opened; a failing repair is reported like any other export error instead of being ignored.
#include <optional>

#include "platform/Error.h"
#include "platform/ProgramDirectory.h"
#include "platform/dao/DBEngine.h"
#include "platform/systools/SysTools.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr char kFailure[] = "Fehler beim Exportieren einer Sprache!";
constexpr char kDatabaseTemplate[] = "\\Export.mdb";
constexpr char kWorkbookTemplate[] = "\\Export.xls";
constexpr char kWorkbookWithoutHeader[] = "Excel 5.0;HDR=NO;IMEX=2;DATABASE=";
constexpr char kWorkbookWithHeader[] = "Excel 5.0;HDR=YES;IMEX=2;DATABASE=";
constexpr char kFixedColumns[] = "ID, Description";
constexpr std::int16_t kFirstLanguageHeaderCell = 3;
constexpr int kShellCopy = 2;
constexpr int kSilentCopyFlags = 0x414;

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

void writeHeaderCells(dao::Database& project, const std::string& targetPath,
                      const std::vector<std::int32_t>& lcids) {
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
    linkTarget(project, kWorkbookWithHeader + targetPath, kExchangeWorksheet);
}

}  // namespace

bool ExportSelectedLanguages(const std::string& projectPath, const ListBox& list,
                             const std::string& targetPath, MessageBoxes& messages) {
    std::optional<dao::Database> project;
    std::optional<Error> openFailure;
    try {
        project.emplace(dao::DBEngine().OpenDatabase(projectPath));
        project->TableDefs().Delete(kLinkedTable);
    } catch (const Error& error) {
        if (!project) {
            openFailure = error;
        }
    }
    try {
        if (!project) {
            throw *openFailure;
        }
        const std::vector<std::int32_t> lcids = selectedLanguages(list);
        const auto fileTools = [] { return systools::SysTools().FileTools(); };
        std::string extension = fileTools().GetExtension(targetPath);
        dao::TableDef link = project->CreateTableDef(kLinkedTable);
        if (extension == kDatabaseExtension) {
            fileTools().CopyFile(programDirectory() + kDatabaseTemplate, targetPath, kShellCopy,
                                 kSilentCopyFlags, 0);
            link.SetConnect(";DATABASE=" + targetPath);
            link.SetSourceTableName(kExchangeTable);
        } else if (extension == kWorkbookExtension) {
            fileTools().CopyFile(programDirectory() + kWorkbookTemplate, targetPath, kShellCopy,
                                 kSilentCopyFlags, 0);
            link.SetConnect(kWorkbookWithoutHeader + targetPath);
            link.SetSourceTableName(kExchangeWorksheet);
        }
        project->TableDefs().Append(link);

        extension = fileTools().GetExtension(targetPath);
        if (extension == kDatabaseExtension) {
            addLanguageColumns(targetPath, lcids);
        } else if (extension == kWorkbookExtension) {
            writeHeaderCells(*project, targetPath, lcids);
        }
        std::string columns = kFixedColumns;
        for (const std::int32_t lcid : lcids) {
            columns += ", " + languageColumnName(lcid);
        }
        project->Execute("INSERT INTO " + std::string(kLinkedTable) + " SELECT " + columns +
                         " FROM " + kProjectTextTable);
        project->TableDefs().Delete(kLinkedTable);
        project->Close();

        extension = fileTools().GetExtension(targetPath);
        if (extension == kWorkbookExtension || extension == kDatabaseExtension) {
            for (const std::int32_t lcid : lcids) {
                RepairLanguageColumn(targetPath, lcid);
            }
        }
        if (extension == kDatabaseExtension) {
            dao::DBEngine().CompactDatabase(targetPath);
        }
        return true;
    } catch (const Error& error) {
        messages.ShowPlain(std::string(kFailure) + "\n" + std::to_string(error.number()) + ": " +
                           error.description());
        return false;
    }
}

}  // namespace glossel::transfer
