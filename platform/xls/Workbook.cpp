// Reading a workbook from file bytes and writing it back.
#include "platform/xls/Workbook.h"

#include <algorithm>
#include <utility>

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"
#include "platform/xls/Damage.h"
#include "platform/xls/WorkbookStream.h"

namespace glossel::xls {

std::unique_ptr<Workbook> Workbook::fromBytes(std::span<const std::uint8_t> bytes,
                                              const std::string& path) {
    return fromContainer(readCompoundFile(bytes, path), path);
}

std::unique_ptr<Workbook> Workbook::fromBytes(spreadsheet::StreamBytes&& bytes,
                                              const std::string& path) {
    CompoundEntry container = readCompoundFile(bytes, path);
    spreadsheet::StreamBytes().swap(bytes);
    return fromContainer(std::move(container), path);
}

std::unique_ptr<Workbook> Workbook::fromContainer(CompoundEntry container,
                                                  const std::string& path) {
    CompoundEntry* stream = container.findStream("Workbook");
    if (!stream) {
        if (container.findStream("Book")) {
            throwUnrecognised(path,
                              "Arbeitsmappen von Excel 5.0/95 (BIFF5) werden nicht "
                              "unterstützt, nur Excel 97-2003 (BIFF8)");
        }
        throwUnrecognised(path, "die Verbunddatei enthält keinen Datenstrom 'Workbook'");
    }
    auto content = readWorkbookStream(stream->bytes, path);
    return std::unique_ptr<Workbook>(new Workbook(path, std::move(container), std::move(content)));
}

Workbook::Workbook(std::string path, CompoundEntry container,
                   std::unique_ptr<WorkbookContent> content)
    : path_(std::move(path)), container_(std::move(container)), content_(std::move(content)) {
    workbookStream_ = container_.findStream("Workbook");
    workbookStream_->bytes.clear();
    workbookStream_->bytes.shrink_to_fit();
    for (SheetEntry& sheet : content_->sheets) {
        if (sheet.worksheet) {
            worksheets_.push_back(sheet.worksheet.get());
        }
    }
}

Workbook::~Workbook() = default;

std::vector<std::uint8_t> Workbook::toBytes() const {
    const Bytes stream = writeWorkbookStream(*content_);
    return writeCompoundFile(container_, workbookStream_, stream);
}

void Workbook::writeTo(std::FILE* file) const {
    writeCompoundFile(
        container_, workbookStream_,
        [&](const HandOn& put) { writeWorkbookStream(*content_, put); }, file);
}

void Workbook::dropUnusedTexts() {
    dropUnusedStrings(*content_);
}

Worksheet& Workbook::worksheet(std::size_t index) {
    return const_cast<Worksheet&>(std::as_const(*this).worksheet(index));
}

const Worksheet& Workbook::worksheet(std::size_t index) const {
    if (index >= worksheets_.size()) {
        throw Error(err::kItemNotFound, "Die Arbeitsmappe '" + nativePath(path_) +
                                            "' hat kein Tabellenblatt Nr. " +
                                            std::to_string(index + 1) + " (" +
                                            std::to_string(worksheets_.size()) + " Blätter).");
    }
    return *worksheets_[index];
}

Worksheet& Workbook::worksheet(const std::string& name) {
    for (Worksheet* sheet : worksheets_) {
        if (sameName(sheet->name(), name)) {
            return *sheet;
        }
    }
    throw Error(err::kInputTableNotFound, "Das Tabellenblatt '" + name +
                                              "' wurde in der Arbeitsmappe '" + nativePath(path_) +
                                              "' nicht gefunden.");
}

std::vector<std::string> Workbook::worksheetNames() const {
    std::vector<std::string> names;
    for (const Worksheet* sheet : worksheets_) {
        names.push_back(sheet->name());
    }
    return names;
}

bool Workbook::modified() const {
    return std::any_of(worksheets_.begin(), worksheets_.end(),
                       [](const Worksheet* sheet) { return sheet->modified(); });
}

void Workbook::markSaved() {
    for (Worksheet* sheet : worksheets_) {
        sheet->markSaved();
    }
    content_->hadStringTable =
        content_->hadStringTable ||
        std::any_of(worksheets_.begin(), worksheets_.end(),
                    [](const Worksheet* sheet) { return sheet->holdsText(); });
}

void Workbook::reopenAs(std::string path) {
    path_ = std::move(path);
    for (Worksheet* sheet : worksheets_) {
        sheet->forgetAppendedRows();
    }
}

std::unique_ptr<spreadsheet::Workbook> readWorkbook(spreadsheet::StreamBytes&& bytes,
                                                    const std::string& path) {
    return Workbook::fromBytes(std::move(bytes), path);
}

spreadsheet::WorkbookHandle openWorkbook(const std::string& path, spreadsheet::Access access) {
    return spreadsheet::openWorkbook(path, &readWorkbook, access);
}

}  // namespace glossel::xls
