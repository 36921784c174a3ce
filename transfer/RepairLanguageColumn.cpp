// The code-page repair of one exported language column: each text is turned back into the bytes
// the machine's ANSI code page makes of it and decoded in the language's own ANSI code page.
//
// The repair raises what went wrong, so that the export can report it and keep the earlier target:
// a file that cannot be opened, a column that is missing, a write that fails, a text the machine
// code page cannot hold (it would come back as "?"). A table without rows and a language without
// ANSI code page have nothing to repair and pass silently. A text whose bytes the language's code
// page cannot decode is left as it is.
#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/nls/Environment.h"
#include "platform/systools/SysTools.h"
#include "transfer/ExchangeKinds.h"
#include "transfer/LanguageText.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

std::string rowName(const dao::Fields& fields) {
    try {
        const Variant& id = fields.Item("ID").Value();
        if (const auto* number = std::get_if<std::int32_t>(&id)) {
            return "ID=" + std::to_string(*number);
        }
        if (const auto* real = std::get_if<double>(&id)) {
            return "ID=" + std::to_string(static_cast<long long>(*real));
        }
    } catch (const Error&) {
    }
    return "ohne ID";
}

}  // namespace

void RepairLanguageColumn(const std::string& targetPath, std::int32_t lcid) {
    const int codePage = languageCodePage(lcid);
    if (codePage == 0) {
        return;
    }
    const ExchangeKind* kind =
        exchangeKindOf(systools::SysTools().FileTools().GetExtension(targetPath));
    if (!kind) {
        throw Error(err::kInvalidArgument, "Die Zieldatei '" + targetPath +
                                               "' ist keine Austauschdatei (" +
                                               exchangeExtensionsText() + ").");
    }
    dao::Database database =
        kind->isWorkbook() ? dao::DBEngine().OpenDatabase(targetPath, true, kind->repairConnect())
                           : dao::DBEngine().OpenDatabase(targetPath);
    dao::Recordset records = database.OpenRecordset(std::string(kind->exchangeTable()));
    try {
        records.MoveFirst();
    } catch (const Error& error) {
        if (error.number() != err::kNoCurrentRecord) {
            throw;
        }
        records.Close();
        database.Close();
        return;
    }
    const std::string column = languageColumnName(lcid);
    const dao::Field& field = records.Fields().Item(column);
    // The machine code page is read at the first text, as the conversion would, and kept for the
    // column: reading it means parsing the environment.
    std::optional<int> machineCodePage;
    for (; !records.Eof(); records.MoveNext()) {
        const Variant& value = field.Value();
        const auto* text = std::get_if<std::string>(&value);
        if (!text || text->empty()) {
            continue;
        }
        if (!machineCodePage) {
            machineCodePage = nls::machineAnsiCodePage();
        }
        std::optional<std::string> decoded = exportedText(*text, codePage, *machineCodePage);
        if (!decoded) {
            throw Error(err::kConversion, "Der Text der Sprache " + column + " im Datensatz " +
                                              rowName(records.Fields()) +
                                              " ist in der ANSI-Codepage des Rechners nicht "
                                              "darstellbar (TESSVIA_ACP prüfen).");
        }
        records.Edit();
        field.SetValue(std::move(*decoded));
        records.Update();
    }
    records.Close();
    database.Close();
}

}  // namespace glossel::transfer
