// From the reader's files and units to the rows the import plans with.
#include "transfer/XliffExchangeTexts.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/nls/LanguageTags.h"
#include "platform/xliff/XliffReader.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr int kDuplicateId = 3022;

std::string lineOf(std::uint64_t line) {
    return "Zeile " + std::to_string(line);
}

std::int32_t lcidOfTag(const std::string& tag, const std::string& path, std::uint64_t line) {
    if (const auto lcid = nls::lcidOfLanguageTag(tag)) {
        return *lcid;
    }
    throw Error(err::kUnrecognisedFormat,
                "Die XLIFF-Datei '" + nativePath(path) + "' nennt in " + lineOf(line) +
                    " die Sprache \"" + tag + "\", für die es keine Windows-Sprache (LCID) gibt.");
}

std::int64_t idOfUnit(const xliff::XliffReadUnit& unit, const std::string& path) {
    std::int64_t id = 0;
    const std::string& text = unit.id;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw Error(err::kTypeMismatch, "Die ID \"" + text + "\" in " + lineOf(unit.line) +
                                            " der XLIFF-Datei '" + nativePath(path) +
                                            "' ist keine ganze Zahl.");
    }
    return id;
}

}  // namespace

std::vector<std::int32_t> xliffLanguages(const std::string& path) {
    const xliff::XliffDocument document = xliff::readXliff(path);
    std::vector<std::int32_t> lcids;
    for (const xliff::XliffReadFile& file : document.files) {
        const std::int32_t lcid = lcidOfTag(file.targetLanguage, path, file.line);
        if (std::find(lcids.begin(), lcids.end(), lcid) == lcids.end()) {
            lcids.push_back(lcid);
        }
    }
    return lcids;
}

std::vector<ExchangeRow> readXliffTexts(const std::string& path,
                                        const std::vector<std::int32_t>& lcids) {
    xliff::XliffDocument document = xliff::readXliff(path);
    std::vector<bool> found(lcids.size(), false);
    std::vector<ExchangeRow> rows;
    std::unordered_map<std::int64_t, std::size_t> rowOfId;
    // Commonly every file holds the same ids: room for the largest file's.
    std::size_t units = 0;
    for (const xliff::XliffReadFile& file : document.files) {
        units = std::max(units, file.units.size());
    }
    rows.reserve(units);
    rowOfId.reserve(units);
    for (xliff::XliffReadFile& file : document.files) {
        const std::int32_t target = lcidOfTag(file.targetLanguage, path, file.line);
        const std::int32_t source = lcidOfTag(file.sourceLanguage, path, file.line);
        const auto asked = std::find(lcids.begin(), lcids.end(), target);
        if (asked == lcids.end()) {
            continue;
        }
        const auto k = static_cast<std::size_t>(asked - lcids.begin());
        found[k] = true;
        for (xliff::XliffReadUnit& unit : file.units) {
            const std::int64_t id = idOfUnit(unit, path);
            const auto [entry, added] = rowOfId.try_emplace(id, rows.size());
            if (added) {
                ExchangeRow row;
                row.id = id;
                row.place = lineOf(unit.line);
                row.texts.resize(lcids.size());
                row.sources.resize(lcids.size());
                rows.push_back(std::move(row));
            }
            ExchangeRow& row = rows[entry->second];
            if (row.sources[k]) {
                throw Error(kDuplicateId, "Die ID " + std::to_string(id) +
                                              " hat in der XLIFF-Datei zwei Einheiten der Sprache " +
                                              languageColumnName(target) + " (" + row.place +
                                              " und " + lineOf(unit.line) + ").");
            }
            row.sources[k] = TranslatedFrom{source, std::move(unit.source)};
            if (unit.hasTarget && !unit.translated) {
                row.notTranslated.push_back(k);
            } else if (unit.translated && !unit.target.empty()) {
                row.texts[k] = std::move(unit.target);
            }
        }
    }
    for (std::size_t k = 0; k < lcids.size(); ++k) {
        if (!found[k]) {
            throw Error(err::kItemNotFound, "Die XLIFF-Datei '" + nativePath(path) +
                                                "' hat keine Übersetzung in die Sprache " +
                                                languageColumnName(lcids[k]) +
                                                "; es wird nichts importiert.");
        }
    }
    return rows;
}

}  // namespace glossel::transfer
