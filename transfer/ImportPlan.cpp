// Planning an import: the file's texts by ID, matched with the project's rows, each language
// cell compared with what the export makes of the project's text.
#include "transfer/ImportPlan.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/Error.h"
#include "platform/jet/ColumnRules.h"
#include "platform/nls/Environment.h"
#include "platform/nls/Utf8Text.h"
#include "transfer/LanguageText.h"
#include "transfer/ProjectTable.h"
#include "transfer/TextRefusals.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr int kDuplicateId = 3022;
constexpr std::size_t kNewColumnSize = 255;

bool holdsFormulaWithoutText(const ExchangeRow& row, std::size_t k) {
    return std::find(row.formulasWithoutText.begin(), row.formulasWithoutText.end(), k) !=
           row.formulasWithoutText.end();
}

bool isNotTranslated(const ExchangeRow& row, std::size_t k) {
    return std::find(row.notTranslated.begin(), row.notTranslated.end(), k) !=
           row.notTranslated.end();
}

// The file's rows by ID. A later row of an ID that an earlier one named gives its texts to the
// earlier row (the texts are moved, not copied: a file holds tens of thousands of them).
class FileTexts {
public:
    FileTexts(std::vector<ExchangeRow> rows, const std::vector<std::int32_t>& lcids)
        : rows_(std::move(rows)), matched_(rows_.size(), false) {
        index_.reserve(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const auto [first, added] = index_.try_emplace(rows_[i].id, i);
            if (!added) {
                mergeInto(first->second, i, lcids);
            }
        }
    }

    // The row holding the texts of `id`, or nullptr; marks the ID as found in the project.
    ExchangeRow* find(std::int64_t id) {
        const auto found = index_.find(id);
        if (found == index_.end()) {
            return nullptr;
        }
        matched_[found->second] = true;
        return &rows_[found->second];
    }

    // Where the text of language `k` of `row` came from.
    const std::string& placeOf(const ExchangeRow& row, std::size_t k) const {
        const auto index = static_cast<std::size_t>(&row - rows_.data());
        const auto merged = mergedFrom_.find({index, k});
        return merged == mergedFrom_.end() ? row.place : rows_[merged->second].place;
    }

    // The IDs no project row asked for, in file order.
    template <typename Visit>
    void forEachUnmatched(Visit visit) const {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (!matched_[i] && index_.at(rows_[i].id) == i) {
                visit(rows_[i].id);
            }
        }
    }

private:
    void mergeInto(std::size_t first, std::size_t later, const std::vector<std::int32_t>& lcids) {
        ExchangeRow& into = rows_[first];
        ExchangeRow& from = rows_[later];
        for (std::size_t k = 0; k < lcids.size(); ++k) {
            if (!from.texts[k]) {
                if (holdsFormulaWithoutText(from, k) && !into.texts[k] &&
                    !holdsFormulaWithoutText(into, k)) {
                    into.formulasWithoutText.push_back(k);
                }
                continue;
            }
            if (into.texts[k]) {
                throw Error(kDuplicateId, "Die ID " + std::to_string(from.id) +
                                              " hat in der Austauschdatei zwei Texte der Sprache " +
                                              languageColumnName(lcids[k]) + " (" +
                                              placeOf(into, k) + " und " + from.place + ").");
            }
            into.texts[k] = std::move(from.texts[k]);
            std::erase(into.formulasWithoutText, k);
            mergedFrom_[{first, k}] = later;
        }
    }

    std::vector<ExchangeRow> rows_;
    std::vector<bool> matched_;
    std::unordered_map<std::int64_t, std::size_t> index_;
    std::map<std::pair<std::size_t, std::size_t>, std::size_t> mergedFrom_;
};

// The project's column of one language: where it is and what it takes.
struct LanguageColumn {
    std::int32_t lcid = 0;
    std::optional<std::size_t> existing;    // its index in TidxTexts, if the project has it
    std::size_t index = 0;                  // its index once new columns are appended
    std::size_t capacity = kNewColumnSize;  // characters; 0 for no limit (memo)
    bool allowZeroLength = true;
    int codePage = 0;
};

std::vector<LanguageColumn> languageColumns(const jet::JetDatabase& project,
                                            const jet::TableDefinition& table,
                                            const std::vector<std::int32_t>& lcids) {
    const std::vector<jet::ColumnRules> rules = jet::readColumnRules(project, table);
    std::vector<LanguageColumn> columns;
    std::size_t appended = table.columns.size();
    for (const std::int32_t lcid : lcids) {
        LanguageColumn column;
        column.lcid = lcid;
        column.codePage = languageCodePage(lcid);
        column.existing = columnNamed(table, languageColumnName(lcid));
        if (column.existing) {
            const jet::ColumnDefinition& definition = table.columns[*column.existing];
            column.index = *column.existing;
            column.allowZeroLength = rules[*column.existing].allowZeroLength;
            column.capacity = definition.type == jet::column_type::kText
                                  ? project.format().textCharacters(definition.length)
                                  : 0;
        } else {
            column.index = appended++;
        }
        columns.push_back(column);
    }
    return columns;
}

// The project's columns of the source languages XLIFF units name, found once each.
class SourceColumns {
public:
    SourceColumns(const jet::TableDefinition& table, int machineCodePage)
        : table_(table), machineCodePage_(machineCodePage) {}

    // Whether the project's text of the source language differs from the unit's source text.
    bool differs(jet::TableCursor& cursor, const TranslatedFrom& source) {
        auto known = columns_.find(source.lcid);
        if (known == columns_.end()) {
            known = columns_
                        .emplace(source.lcid, std::pair(columnNamed(table_, languageColumnName(
                                                                                source.lcid)),
                                                        languageCodePage(source.lcid)))
                        .first;
        }
        const auto& [column, codePage] = known->second;
        const auto* stored = column ? std::get_if<std::string>(&cursor.value(*column)) : nullptr;
        if (!stored) {
            return !source.text.empty();
        }
        const std::string shown =
            exportedText(*stored, codePage, machineCodePage_).value_or(*stored);
        return !equalButForLineBreaks(shown, source.text);
    }

private:
    const jet::TableDefinition& table_;
    int machineCodePage_;
    std::map<std::int32_t, std::pair<std::optional<std::size_t>, int>> columns_;
};

std::string describeId(std::int64_t id, std::int32_t lcid) {
    return "ID " + std::to_string(id) + ", " + languageColumnName(lcid);
}

// What becomes of one language cell of one project row.
struct CellOutcome {
    enum class Kind { Changed, Unchanged, EmptySkipped, KeptExisting, Refused };
    Kind kind = Kind::Unchanged;
    Variant newValue;  // Changed: what the project stores
    // Changed by an empty cell: the text the project then holds ("" or Null: nullopt); any other
    // change takes the file's text.
    std::optional<std::string> emptiedTo;
    int refusalNumber = 0;  // Refused: the error number and what is wrong
    std::string refusal;
};

CellOutcome outcomeOf(CellOutcome::Kind kind) {
    CellOutcome outcome;
    outcome.kind = kind;
    return outcome;
}

CellOutcome changedTo(Variant value, std::optional<std::string> emptiedTo = std::nullopt) {
    CellOutcome outcome = outcomeOf(CellOutcome::Kind::Changed);
    outcome.newValue = std::move(value);
    outcome.emptiedTo = std::move(emptiedTo);
    return outcome;
}

CellOutcome refusedFor(int number, std::string reason) {
    CellOutcome outcome = outcomeOf(CellOutcome::Kind::Refused);
    outcome.refusalNumber = number;
    outcome.refusal = std::move(reason);
    return outcome;
}

CellOutcome decideCell(const Variant& stored, const std::optional<std::string>& shown,
                       const std::optional<std::string>& fileText, const LanguageColumn& column,
                       int machineCodePage, const ImportOptions& options) {
    using Kind = CellOutcome::Kind;
    const auto* storedString = std::get_if<std::string>(&stored);
    const bool projectEmpty = !storedString || storedString->empty();
    if (!fileText) {
        if (!options.allowEmpty) {
            return outcomeOf(Kind::EmptySkipped);
        }
        if (projectEmpty) {
            return outcomeOf(Kind::Unchanged);
        }
        if (options.keepExisting) {
            return outcomeOf(Kind::KeptExisting);
        }
        if (column.allowZeroLength) {
            return changedTo(std::string(), std::string());
        }
        return changedTo(Null{});
    }
    if (shown && equalButForLineBreaks(*shown, *fileText)) {
        return outcomeOf(Kind::Unchanged);
    }
    if (options.keepExisting && !projectEmpty) {
        return outcomeOf(Kind::KeptExisting);
    }
    StoredText converted = storedText(*fileText, column.codePage, machineCodePage);
    if (converted.refusal) {
        const bool inLanguage =
            converted.refusal->reason == UnstorableText::Reason::NotInLanguageCodePage;
        return refusedFor(err::kConversion,
                          "das Zeichen \"" + converted.refusal->character + "\" gibt es in der " +
                              "ANSI-Codepage " +
                              std::to_string(inLanguage ? column.codePage : machineCodePage) +
                              (inLanguage ? " der Sprache" : " des Rechners") + " nicht");
    }
    const std::size_t length = nls::utf16Length(*converted.text);
    if (column.capacity != 0 && length > column.capacity) {
        return refusedFor(err::kFieldTooSmall, "der Text hat " + std::to_string(length) +
                                                   " Zeichen, die Spalte fasst " +
                                                   std::to_string(column.capacity));
    }
    return changedTo(std::move(*converted.text));
}

}  // namespace

ImportPlan planImport(const jet::JetDatabase& project, std::vector<ExchangeRow> rows,
                      const std::vector<std::int32_t>& lcids, const ImportOptions& options) {
    const auto table = project.table(kProjectTextTable);
    const std::size_t idColumn = idColumnOf(project, *table);
    const std::vector<LanguageColumn> columns = languageColumns(project, *table, lcids);
    const std::size_t columnCount =
        table->columns.size() +
        static_cast<std::size_t>(std::count_if(columns.begin(), columns.end(),
                                               [](const auto& c) { return !c.existing; }));

    ImportPlan plan;
    for (const LanguageColumn& column : columns) {
        plan.summary.languages.push_back({column.lcid, !column.existing});
        if (!column.existing) {
            plan.newColumns.push_back(column.lcid);
        }
    }
    plan.columnCount = columnCount;
    FileTexts file(std::move(rows), lcids);
    const int machineCodePage = nls::machineAnsiCodePage();
    TextRefusals refusals("übernommen");
    SourceColumns sources(*table, machineCodePage);
    const Variant null = Null{};

    jet::TableCursor cursor = project.rows(table);
    while (cursor.next()) {
        const std::optional<std::int64_t> id = idOf(cursor.value(idColumn));
        ExchangeRow* entry = id ? file.find(*id) : nullptr;
        if (!entry) {
            continue;
        }
        PlannedRow planned{cursor.position(), {}};
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const LanguageColumn& column = columns[k];
            LanguageSummary& counts = plan.summary.languages[k];
            if (holdsFormulaWithoutText(*entry, k)) {
                ++counts.formulasWithoutText;
                plan.summary.formulasWithoutText.push_back({entry->id, column.lcid});
                continue;
            }
            if (isNotTranslated(*entry, k)) {
                ++counts.notTranslated;
                continue;
            }
            const Variant& stored = column.existing ? cursor.value(*column.existing) : null;
            const auto* storedString = std::get_if<std::string>(&stored);
            // What the export makes of the project's text: needed to compare it with the
            // file's, and for the list of changes; an empty cell that is skipped needs neither.
            const bool compared = entry->texts[k] || options.allowEmpty;
            const std::optional<std::string> shown =
                storedString && compared
                    ? exportedText(*storedString, column.codePage, machineCodePage)
                          .value_or(*storedString)
                    : std::optional<std::string>();
            CellOutcome outcome =
                decideCell(stored, shown, entry->texts[k], column, machineCodePage, options);
            switch (outcome.kind) {
                case CellOutcome::Kind::Unchanged:
                    ++counts.unchanged;
                    break;
                case CellOutcome::Kind::EmptySkipped:
                    ++counts.emptySkipped;
                    break;
                case CellOutcome::Kind::KeptExisting:
                    ++counts.keptExisting;
                    break;
                case CellOutcome::Kind::Refused:
                    refusals.add(outcome.refusalNumber, describeId(entry->id, column.lcid) + ": " +
                                                            outcome.refusal + " (" +
                                                            file.placeOf(*entry, k) + ").");
                    break;
                case CellOutcome::Kind::Changed:
                    ++counts.changed;
                    if (!entry->sources.empty() && entry->sources[k] &&
                        sources.differs(cursor, *entry->sources[k])) {
                        ++counts.staleSources;
                        plan.summary.staleSources.push_back({entry->id, column.lcid});
                    }
                    if (options.listChanges) {
                        plan.summary.changes.push_back(
                            {entry->id, column.lcid, shown,
                             entry->texts[k] ? entry->texts[k] : std::move(outcome.emptiedTo)});
                    }
                    planned.changes.emplace_back(column.index, std::move(outcome.newValue));
                    break;
            }
        }
        if (!planned.changes.empty()) {
            plan.rows.push_back(std::move(planned));
        }
    }
    refusals.throwIfAny();
    file.forEachUnmatched([&](std::int64_t id) {
        if (plan.summary.firstUnknownIds.size() < kListedUnknownIds) {
            plan.summary.firstUnknownIds.push_back(id);
        }
        ++plan.summary.unknownIdCount;
    });
    return plan;
}

}  // namespace glossel::transfer
