// Implementation of the glossel-cli commands over the transfer and the database layer.
#include "cli/Commands.h"

#include "cli/CsvFormat.h"
#include "platform/dao/DBEngine.h"
#include "transfer/MImportLanguage.h"
#include "transfer/SortedListBox.h"

namespace glossel::cli {

void listLanguages(const std::string& projectPath, std::ostream& out) {
    transfer::SortedListBox list;
    transfer::FillLanguageList(projectPath, list);
    for (int i = 0; i < list.ListCount(); ++i) {
        out << list.List(i) << '\n';
    }
}

void listTables(const std::string& databasePath, std::ostream& out) {
    dao::Database database = dao::DBEngine().OpenDatabase(databasePath);
    const dao::TableDefs& tables = database.TableDefs();
    for (std::size_t i = 0; i < tables.Count(); ++i) {
        out << tables.Item(i).Name() << '\n';
    }
    database.Close();
}

void dumpTable(const std::string& databasePath, const std::string& table, std::ostream& out) {
    dao::Database database = dao::DBEngine().OpenDatabase(databasePath);
    dao::Recordset records = database.OpenRecordset(table);
    const dao::Fields& fields = records.Fields();
    std::string line;
    for (const dao::Field& field : fields) {
        line += (line.empty() ? "" : ",") + csvQuoted(field.Name());
    }
    out << line << '\n';
    for (; !records.Eof(); records.MoveNext()) {
        line.clear();
        for (std::size_t i = 0; i < fields.Count(); ++i) {
            if (i > 0) {
                line += ',';
            }
            line += csvField(fields.Item(i).Value());
        }
        out << line << '\n';
    }
    records.Close();
    database.Close();
}

}  // namespace glossel::cli
