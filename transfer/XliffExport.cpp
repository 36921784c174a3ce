// The project is read once through the Jet engine; the texts of the rows with a source text are
// kept decoded, checked, and then written target language by target language.
#include "transfer/XliffExport.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/File.h"
#include "platform/files/SystemErrorText.h"
#include "platform/nls/Environment.h"
#include "platform/nls/LanguageTags.h"
#include "platform/xliff/XliffWriter.h"
#include "platform/xml/XmlEscape.h"
#include "transfer/LanguageText.h"
#include "transfer/ProjectTable.h"
#include "transfer/TextRefusals.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr int kDuplicateId = 3022;
constexpr char kDescriptionColumn[] = "Description";

struct ExportLanguage {
    std::int32_t lcid = 0;
    std::size_t column = 0;
    int codePage = 0;
    std::string tag;
    std::optional<std::size_t> capacity;  // characters; none for a memo
};

struct ExportRow {
    std::int64_t id = 0;
    std::string description;
    std::vector<std::optional<std::string>> texts;  // by language; none for Null or empty
};

std::string fileNameOf(const std::string& path) {
    const std::string native = nativePath(path);
    const std::size_t slash = native.find_last_of('/');
    return slash == std::string::npos ? native : native.substr(slash + 1);
}

std::vector<ExportLanguage> exportLanguages(const jet::JetDatabase& project,
                                            const jet::TableDefinition& table,
                                            const std::vector<std::int32_t>& lcids) {
    std::vector<ExportLanguage> languages;
    for (const std::int32_t lcid : lcids) {
        const std::string name = languageColumnName(lcid);
        const std::optional<std::size_t> column = columnNamed(table, name);
        if (!column) {
            throw Error(err::kItemNotFound, "Die Tabelle TidxTexts des Projekts '" +
                                                nativePath(project.path()) +
                                                "' hat keine Spalte " + name + ".");
        }
        const std::optional<std::string> tag = nls::languageTagOfLcid(lcid);
        if (!tag) {
            throw Error(err::kInvalidArgument, "Für die Sprache " + name +
                                                   " gibt es kein Sprachkennzeichen (BCP 47).");
        }
        const jet::ColumnDefinition& definition = table.columns[*column];
        ExportLanguage language{lcid, *column, languageCodePage(lcid), *tag, std::nullopt};
        if (definition.type == jet::column_type::kText) {
            language.capacity = project.format().textCharacters(definition.length);
        }
        languages.push_back(std::move(language));
    }
    return languages;
}

std::string describeCharacter(char32_t character) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "U+";
    for (int shift = 12; shift >= 0; shift -= 4) {
        text += kHex[(character >> shift) & 0xF];
    }
    return text;
}

// Refuses a text XML cannot carry; `what` names it ("L1049", "Description").
void checkCarriable(const std::string& text, std::int64_t id, const std::string& what,
                    TextRefusals& refusals) {
    const std::size_t at = xml::findUncarriable(text);
    if (at != std::string::npos) {
        refusals.add(err::kConversion, "ID " + std::to_string(id) + ", " + what +
                                           ": das Zeichen " +
                                           describeCharacter(*xml::uncarriableAt(text, at)) +
                                           " kann eine XLIFF-Datei nicht enthalten.");
    }
}

// The rows with a source text, decoded and checked.
std::vector<ExportRow> readRows(const jet::JetDatabase& project,
                                std::shared_ptr<const jet::TableDefinition> table,
                                const std::vector<ExportLanguage>& languages,
                                std::size_t sourceIndex) {
    const std::size_t idColumn = idColumnOf(project, *table);
    std::optional<std::size_t> descriptionColumn;
    for (std::size_t i = 0; i < table->columns.size(); ++i) {
        if (table->columns[i].name == kDescriptionColumn) {
            descriptionColumn = i;
        }
    }
    const int machineCodePage = nls::machineAnsiCodePage();
    TextRefusals refusals("exportiert");
    std::unordered_map<std::int64_t, std::size_t> seen;
    std::vector<ExportRow> rows;
    jet::TableCursor cursor = project.rows(table);
    while (cursor.next()) {
        const std::optional<std::int64_t> id = idOf(cursor.value(idColumn));
        const auto* source = std::get_if<std::string>(&cursor.value(languages[sourceIndex].column));
        if (!id || !source || source->empty()) {
            continue;
        }
        if (!seen.try_emplace(*id, rows.size()).second) {
            refusals.add(kDuplicateId, "ID " + std::to_string(*id) +
                                           ": die ID steht zweimal im Projekt.");
            continue;
        }
        ExportRow row;
        row.id = *id;
        if (descriptionColumn) {
            if (const auto* text = std::get_if<std::string>(&cursor.value(*descriptionColumn))) {
                row.description = *text;
                checkCarriable(row.description, row.id, kDescriptionColumn, refusals);
            }
        }
        for (const ExportLanguage& language : languages) {
            const auto* stored = std::get_if<std::string>(&cursor.value(language.column));
            if (!stored || stored->empty()) {
                row.texts.emplace_back();
                continue;
            }
            std::optional<std::string> decoded =
                exportedText(*stored, language.codePage, machineCodePage);
            const std::string column = languageColumnName(language.lcid);
            if (!decoded) {
                refusals.add(err::kConversion,
                             "ID " + std::to_string(row.id) + ", " + column +
                                 ": der Text ist in der ANSI-Codepage des Rechners nicht "
                                 "darstellbar (TESSVIA_ACP prüfen).");
                row.texts.emplace_back();
                continue;
            }
            checkCarriable(*decoded, row.id, column, refusals);
            row.texts.push_back(std::move(decoded));
        }
        rows.push_back(std::move(row));
    }
    refusals.throwIfAny();
    return rows;
}

void writeDocument(files::File& file, const std::string& shownTarget, const std::string& original,
                   const std::vector<ExportLanguage>& languages, std::size_t sourceIndex,
                   const std::vector<ExportRow>& rows) {
    xliff::XliffWriter writer(file, shownTarget);
    for (std::size_t k = 0; k < languages.size(); ++k) {
        if (k == sourceIndex) {
            continue;
        }
        writer.beginFile({original, languages[sourceIndex].tag, languages[k].tag});
        for (const ExportRow& row : rows) {
            const std::string id = std::to_string(row.id);
            std::optional<std::string_view> target;
            if (row.texts[k]) {
                target = *row.texts[k];
            }
            writer.unit({id, *row.texts[sourceIndex], target, row.description,
                         languages[k].capacity});
        }
        writer.endFile();
    }
    writer.finish();
}

// Error 5 unless the source is one of the languages and another is chosen beside it.
void refuseXliffWithoutSourceAndTarget(const std::vector<std::int32_t>& lcids,
                                       std::int32_t sourceLcid) {
    if (std::find(lcids.begin(), lcids.end(), sourceLcid) == lcids.end()) {
        throw Error(err::kInvalidArgument,
                    "Eine XLIFF-Datei braucht eine Ausgangssprache unter den gewählten Sprachen.");
    }
    if (lcids.size() < 2) {
        throw Error(err::kInvalidArgument,
                    "Eine XLIFF-Datei braucht neben der Ausgangssprache mindestens eine "
                    "Zielsprache.");
    }
}

}  // namespace

void writeXliffExport(const std::string& projectPath, const std::vector<std::int32_t>& lcids,
                      std::int32_t sourceLcid, const std::string& documentPath,
                      const std::string& shownTarget) {
    refuseXliffWithoutSourceAndTarget(lcids, sourceLcid);
    const auto project = jet::JetDatabase::open(projectPath);
    const auto table = project->table(kProjectTextTable);
    const std::vector<ExportLanguage> languages = exportLanguages(*project, *table, lcids);
    const auto sourceIndex = static_cast<std::size_t>(
        std::find(lcids.begin(), lcids.end(), sourceLcid) - lcids.begin());
    const std::vector<ExportRow> rows = readRows(*project, table, languages, sourceIndex);

    files::File file;
    int error = file.open(documentPath, files::Access::readWrite);
    if (error == 0) {
        writeDocument(file, shownTarget, fileNameOf(projectPath), languages, sourceIndex, rows);
        error = file.close();
    }
    if (error != 0) {
        throw Error(err::kDiskIo, "Die XLIFF-Datei '" + shownTarget +
                                      "' kann nicht geschrieben werden (" +
                                      files::systemErrorText(error) + ").");
    }
}

}  // namespace glossel::transfer
