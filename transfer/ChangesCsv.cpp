// Writing the list of changes.
#include "transfer/ChangesCsv.h"

#include "platform/CsvQuoting.h"
#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/files/File.h"
#include "platform/files/StagedFile.h"
#include "platform/files/SystemErrorText.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr char kLineEnd[] = "\r\n";

std::string optionalText(const std::optional<std::string>& text) {
    return text ? csvQuoted(*text) : std::string();
}

}  // namespace

std::string changesCsv(const std::vector<TextChange>& changes) {
    std::string csv = "ID,Sprache,Alter Text,Neuer Text";
    csv += kLineEnd;
    for (const TextChange& change : changes) {
        csv += std::to_string(change.id);
        csv += ',';
        csv += languageColumnName(change.lcid);
        csv += ',';
        csv += optionalText(change.oldText);
        csv += ',';
        csv += optionalText(change.newText);
        csv += kLineEnd;
    }
    return csv;
}

void writeChangesCsv(const std::string& path, const std::vector<TextChange>& changes) {
    const std::string csv = changesCsv(changes);
    files::StagedFile staged(path);
    files::File file;
    int error = file.open(staged.path(), files::Access::readWrite);
    if (error == 0) {
        error = file.writeAll(
            {reinterpret_cast<const std::uint8_t*>(csv.data()), csv.size()});
    }
    if (error == 0) {
        error = file.close();
    }
    if (error != 0) {
        std::string description = "Die Liste der Änderungen '";
        description += nativePath(path);
        description += "' kann nicht geschrieben werden: ";
        description += files::systemErrorText(error);
        description += ".";
        throw Error(err::kDiskIo, description);
    }
    staged.commit();
}

}  // namespace glossel::transfer
