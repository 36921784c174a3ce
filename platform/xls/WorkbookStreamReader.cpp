// Reading the Workbook stream: globals first, then each sheet at the position its BOUNDSHEET
// gives.
#include <algorithm>

#include "platform/ByteOrder.h"
#include "platform/Error.h"
#include "platform/nls/Utf16.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/SstRecord.h"
#include "platform/xls/WorkbookStream.h"
#include "platform/xls/WorksheetReader.h"

namespace glossel::xls {
namespace {

bool followsStringTable(std::uint16_t recordId) {
    switch (recordId) {
        case id::kWebPub:
        case id::kWOpt:
        case id::kCrErr:
        case id::kBookExt:
        case id::kFeatHdr:
        case id::kDConn:
        case id::kTheme:
        case id::kCompressPictures:
        case id::kCompat12:
        case id::kGuidTypeLib:
        case id::kEof:
            return true;
        default:
            return false;
    }
}

void checkFirstBof(const Record& record, const std::string& path) {
    if (record.data.size() < 4) {
        throwUnrecognised(path, "der BOF-Datensatz des Datenstroms 'Workbook' ist zu kurz");
    }
    const BofRecord bof = BofRecord::read(RecordReader(record, {path, {}}));
    if (bof.version == bof::kBiff5) {
        throwUnrecognised(path,
                          "Arbeitsmappen von Excel 5.0/95 (BIFF5) werden nicht unterstützt, "
                          "nur Excel 97-2003 (BIFF8)");
    }
    if (bof.version != bof::kBiff8 || bof.type != bof::kGlobals) {
        throwUnrecognised(path, "keine Excel-97-2003-Arbeitsmappe (BIFF8)");
    }
}

// Returns the position after the globals' EOF.
std::uint32_t readGlobals(std::span<const std::uint8_t> stream, const std::string& path,
                          WorkbookContent& content) {
    const Source source{path, {}};
    if (stream.size() < kRecordHeaderSize || le::get16(stream, 0) != id::kBof) {
        throwUnrecognised(path, "der Datenstrom 'Workbook' beginnt nicht mit einem BOF-Datensatz");
    }
    RecordCursor cursor(stream, 0, source);
    Record bof = cursor.next();
    checkFirstBof(bof, path);
    content.globals.push_back({GlobalsItem::Kind::Raw, std::move(bof), 0});
    while (true) {
        if (cursor.atEnd()) {
            throwDamaged(source, cursor.position(), std::nullopt,
                         "der Datenstrom endet vor dem EOF-Datensatz der Arbeitsmappe");
        }
        Record record = cursor.next();
        const RecordReader reader(record, source);
        switch (record.id) {
            case id::kFilePass:
                throw Error(err::kPassword, "Die Arbeitsmappe '" + path +
                                                "' ist verschlüsselt (kennwortgeschützt) und kann "
                                                "nicht gelesen werden.");
            case id::kBoundSheet:
                content.sheets.push_back({BoundSheetRecord::read(reader), nullptr, {}});
                content.globals.push_back(
                    {GlobalsItem::Kind::BoundSheet, std::move(record), content.sheets.size() - 1});
                continue;
            case id::kSst:
                if (content.hadStringTable) {
                    reader.damaged("die Arbeitsmappe hat mehr als eine Texttabelle");
                }
                readSst(reader, content.strings);
                content.hadStringTable = true;
                content.globals.push_back({GlobalsItem::Kind::StringTable, {}, 0});
                continue;
            case id::kExtSst:
                continue;  // rebuilt with the SST
            case id::kXf:
                content.formats.isStyle.push_back(XfRecord::read(reader).isStyle);
                break;
            default:
                break;
        }
        const bool end = record.id == id::kEof;
        content.globals.push_back({GlobalsItem::Kind::Raw, std::move(record), 0});
        if (end) {
            return cursor.position();
        }
    }
}

void placeStringTable(WorkbookContent& content) {
    if (content.hadStringTable) {
        return;
    }
    auto& globals = content.globals;
    const auto place =
        std::find_if(globals.begin() + 1, globals.end(), [](const GlobalsItem& item) {
            return item.kind == GlobalsItem::Kind::Raw && followsStringTable(item.record.id);
        });
    globals.insert(place, {GlobalsItem::Kind::StringTable, {}, 0});
}

void chooseDefaultXf(CellFormats& formats) {
    if (formats.isCellXf(kDefaultCellXf)) {
        return;
    }
    const auto cellXf = std::find(formats.isStyle.begin(), formats.isStyle.end(), false);
    if (cellXf != formats.isStyle.end()) {
        formats.defaultXf = static_cast<std::uint16_t>(cellXf - formats.isStyle.begin());
    }
}

std::vector<Record> readOtherSheet(std::span<const std::uint8_t> stream, std::uint32_t position,
                                   const Source& source) {
    RecordCursor cursor(stream, position, source);
    std::vector<Record> records;
    int depth = 0;
    do {
        if (cursor.atEnd()) {
            throwDamaged(source, cursor.position(), std::nullopt,
                         "der Datenstrom endet vor dem EOF-Datensatz des Blatts");
        }
        records.push_back(cursor.next());
        depth += records.back().id == id::kBof ? 1 : 0;
        depth -= records.back().id == id::kEof ? 1 : 0;
    } while (depth > 0);
    return records;
}

// Reads the sheet; returns the position after its EOF.
std::uint32_t readSheet(std::span<const std::uint8_t> stream, const std::string& path,
                        WorkbookContent& content, SheetEntry& sheet, std::uint32_t sstCount) {
    const std::string name = nls::toUtf8(sheet.boundSheet.name);
    const Source source{path, name};
    const std::uint32_t position = sheet.boundSheet.position;
    if (position >= stream.size() || stream.size() - position < kRecordHeaderSize + 4) {
        throwDamaged(source, std::nullopt, id::kBoundSheet,
                     "die Position " + std::to_string(position) +
                         " des Blatts liegt hinter dem Ende des Datenstroms (" +
                         std::to_string(stream.size()) + " Bytes)");
    }
    const std::uint16_t recordId = le::get16(stream, position);
    const std::uint16_t type = le::get16(stream, position + 6);
    if (recordId != id::kBof) {
        throwDamaged(source, position, recordId,
                     "an der Position des Blatts steht kein BOF-Datensatz");
    }
    const Record* eof = nullptr;
    if (type == bof::kWorksheet) {
        sheet.worksheet = std::make_unique<Worksheet>(
            name, readWorksheet(stream, position, source, content.strings, sstCount),
            content.strings, content.formats);
        eof = &sheet.worksheet->content().layout.back().record;
    } else {
        sheet.records = readOtherSheet(stream, position, source);
        eof = &sheet.records.back();
    }
    return eof->position + static_cast<std::uint32_t>(kRecordHeaderSize + eof->data.size());
}

// Reads the sheets in the order of their positions; a sheet that starts before the previous
// one (or the globals) ends is damage, which also keeps damaged files from having the same
// bytes read over and over.
void readSheets(std::span<const std::uint8_t> stream, const std::string& path,
                WorkbookContent& content, std::uint32_t globalsEnd) {
    std::vector<SheetEntry*> byPosition;
    for (SheetEntry& sheet : content.sheets) {
        byPosition.push_back(&sheet);
    }
    std::stable_sort(byPosition.begin(), byPosition.end(), [](const auto* a, const auto* b) {
        return a->boundSheet.position < b->boundSheet.position;
    });
    const std::uint32_t sstCount = content.strings.size();
    std::uint32_t end = globalsEnd;
    for (SheetEntry* sheet : byPosition) {
        if (sheet->boundSheet.position < end) {
            throwDamaged({path, nls::toUtf8(sheet->boundSheet.name)}, sheet->boundSheet.position,
                         id::kBoundSheet,
                         "das Blatt beginnt innerhalb der Arbeitsmappendaten oder eines anderen "
                         "Blatts (dort enden sie erst bei Position " +
                             std::to_string(end) + ")");
        }
        end = readSheet(stream, path, content, *sheet, sstCount);
    }
}

}  // namespace

std::unique_ptr<WorkbookContent> readWorkbookStream(std::span<const std::uint8_t> stream,
                                                    const std::string& path) {
    auto content = std::make_unique<WorkbookContent>();
    const std::uint32_t globalsEnd = readGlobals(stream, path, *content);
    placeStringTable(*content);
    chooseDefaultXf(content->formats);
    readSheets(stream, path, *content, globalsEnd);
    return content;
}

}  // namespace glossel::xls
