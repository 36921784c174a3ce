// The import command and its list of changes.
#include "cli/ImportCommand.h"

#include <fstream>

#include "cli/CsvFormat.h"
#include "platform/Error.h"
#include "platform/NativePath.h"
#include "transfer/TextTables.h"

namespace glossel::cli {
namespace {

constexpr char kCsvLineEnd[] = "\r\n";

std::string optionalText(const std::optional<std::string>& text) {
    return text ? csvQuoted(*text) : std::string();
}

void writeChanges(const std::string& path, const std::vector<transfer::TextChange>& changes) {
    std::ofstream file(nativePath(path), std::ios::binary | std::ios::trunc);
    file << changesCsv(changes);
    file.close();
    if (!file) {
        throw Error(err::kDiskIo, "Die Liste der Änderungen '" + nativePath(path) +
                                      "' kann nicht geschrieben "
                                      "werden.");
    }
}

}  // namespace

std::string changesCsv(const std::vector<transfer::TextChange>& changes) {
    std::string csv = std::string("ID,Sprache,Alter Text,Neuer Text") + kCsvLineEnd;
    for (const transfer::TextChange& change : changes) {
        csv += std::to_string(change.id) + "," + transfer::languageColumnName(change.lcid) + "," +
               optionalText(change.oldText) + "," + optionalText(change.newText) + kCsvLineEnd;
    }
    return csv;
}

void importLanguages(const std::string& projectPath, const std::string& exchangePath,
                     const std::vector<std::int32_t>& lcids, transfer::ImportOptions options,
                     const std::string& changesPath, std::ostream& out) {
    options.listChanges = !changesPath.empty();
    const transfer::ImportSummary summary =
        transfer::ImportLanguages(projectPath, exchangePath, lcids, options);
    if (options.listChanges) {
        writeChanges(changesPath, summary.changes);
    }
    out << transfer::describeImport(summary, options);
}

}  // namespace glossel::cli
