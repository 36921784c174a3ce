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

namespace {

const char* typeName(std::uint8_t type) {
    switch (type) {
        case 1:
            return "Boolean";
        case 2:
            return "Byte";
        case 3:
            return "Integer";
        case 4:
            return "Long";
        case 5:
            return "Currency";
        case 6:
            return "Single";
        case 7:
            return "Double";
        case 8:
            return "DateTime";
        case 9:
            return "Binary";
        case 10:
            return "Text";
        case 11:
            return "OLE";
        case 12:
            return "Memo";
        case 15:
            return "GUID";
        case 16:
            return "Numeric";
        default:
            return "?";
    }
}

}  // namespace

void listColumns(const std::string& databasePath, const std::string& table, std::ostream& out) {
    dao::Database database = dao::DBEngine().OpenDatabase(databasePath);
    const dao::TableDef definition = database.TableDefs().Item(table);
    for (const dao::Field& field : definition.Fields()) {
        out << field.Name() << '\t' << typeName(field.Type()) << '\t' << field.Size();
        if (field.AllowZeroLength()) {
            out << "\tAllowZeroLength";
        }
        if (field.Required()) {
            out << "\tRequired";
        }
        out << '\n';
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
