// Reading a project's language columns into the language list.
#include <charconv>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/nls/LocaleInfo.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr int kNameBufferLength = 255;

// The LCID of a language column: the decimal number after the "L", blanks around it allowed.
std::int32_t languageCode(const std::string& column) {
    std::string_view digits = std::string_view(column).substr(1);
    while (!digits.empty() && digits.front() == ' ') {
        digits.remove_prefix(1);
    }
    while (!digits.empty() && digits.back() == ' ') {
        digits.remove_suffix(1);
    }
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    std::int32_t lcid = 0;
    const auto [end, result] = std::from_chars(digits.data(), digits.data() + digits.size(), lcid);
    if (result == std::errc::result_out_of_range) {
        throw Error(6, "Überlauf: die Sprachkennung der Spalte '" + column +
                           "' in TidxTexts ist zu gross.");
    }
    if (digits.empty() || result != std::errc() || end != digits.data() + digits.size()) {
        throw Error(err::kTypeMismatch, "Typen unverträglich: die Spalte '" + column +
                                            "' in TidxTexts hat keine Sprachkennung nach dem 'L'.");
    }
    return lcid;
}

}  // namespace

std::string languageListEntry(std::int32_t lcid, const std::string& column) {
    std::string name;
    if (nls::GetLocaleInfoA(lcid, nls::kLocaleSLanguageCpAcp, name, kNameBufferLength) == 0) {
        throw Error(err::kInvalidArgument, "Die Sprachkennung " + std::to_string(lcid) +
                                               " der Spalte '" + column +
                                               "' ist dem System unbekannt.");
    }
    return name + " [" + std::to_string(lcid) + "]";
}

void FillLanguageList(const std::string& projectPath, ListBox& list) {
    list.Clear();
    dao::Database database = dao::DBEngine().OpenDatabase(projectPath);
    const dao::TableDef table = database.TableDefs().Item(kProjectTextTable);
    for (const dao::Field& field : table.Fields()) {
        const std::string& column = field.Name();
        if (column.empty() || column.front() != kLanguageColumnPrefix) {
            continue;
        }
        const std::int32_t lcid = languageCode(column);
        list.AddItem(languageListEntry(lcid, column));
        list.SetItemData(list.NewIndex(), lcid);
    }
    database.Close();
}

}  // namespace glossel::transfer
