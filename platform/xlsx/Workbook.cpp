// Reading a workbook package and writing it back.
#include "platform/xlsx/Workbook.h"

#include <algorithm>
#include <unordered_map>

#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/NativePath.h"
#include "platform/xlsx/OoxmlFormat.h"
#include "platform/xlsx/PackageError.h"
#include "platform/xlsx/PackageParts.h"
#include "platform/xlsx/PartXml.h"
#include "platform/xlsx/SheetXml.h"
#include "platform/xlsx/ZipWriter.h"

namespace glossel::xlsx {
namespace {

constexpr char kDefaultWorkbookPart[] = "/xl/workbook.xml";

struct SheetListing {
    std::string name;
    std::string relationship;
};

// The <sheet> elements of the workbook part, in workbook order.
class WorkbookHandler : public XmlHandler {
public:
    explicit WorkbookHandler(std::vector<SheetListing>& sheets) : sheets_(sheets) {}
    XmlParser* parser = nullptr;

    void start(const XmlName& name, const XmlAttributes& attributes) override {
        if (++depth_ == 1) {
            if ((name.ns != ns::kMain && name.ns != ns::kStrictMain) || name.local != "workbook") {
                parser->fail("der Teil ist keine Arbeitsmappe (workbook)");
            }
            return;
        }
        if (name.local != "sheet" || (name.ns != ns::kMain && name.ns != ns::kStrictMain)) {
            return;
        }
        const char* sheetName = attributes.find("name");
        const char* id = attributes.find(ns::kDocumentRelationships, "id");
        if (!id) {
            id = attributes.find(ns::kStrictDocumentRelationships, "id");
        }
        if (!sheetName || !id) {
            parser->fail("einem Blatt fehlt der Name oder die Beziehung (r:id)");
        }
        sheets_.push_back({sheetName, id});
    }
    void end(const XmlName&) override { --depth_; }

private:
    std::vector<SheetListing>& sheets_;
    unsigned depth_ = 0;
};

std::string documentPart(const ZipReader& zip) {
    for (const Relationship& relationship : readRelationships(zip, "/")) {
        if (relationship.type == rel::kOfficeDocument) {
            return relationship.target;
        }
    }
    if (zip.find(kDefaultWorkbookPart)) {
        return kDefaultWorkbookPart;
    }
    throwUnrecognised(zip.path(), "die ZIP-Datei enthält keine Arbeitsmappe (xl/workbook.xml)");
}

}  // namespace

std::unique_ptr<Workbook> Workbook::fromBytes(spreadsheet::StreamBytes&& bytes,
                                              const std::string& path) {
    std::unique_ptr<Workbook> workbook(new Workbook(path, std::move(bytes)));
    workbook->read();
    return workbook;
}

Workbook::Workbook(std::string path, spreadsheet::StreamBytes&& bytes)
    : path_(std::move(path)), package_(std::move(bytes)) {}

Workbook::~Workbook() = default;

void Workbook::read() {
    zip_ = std::make_unique<ZipReader>(std::span(package_.data(), package_.size()), path_);
    const std::string workbookPart = documentPart(*zip_);
    const ZipEntry* workbookEntry = zip_->find(workbookPart);
    if (!workbookEntry) {
        throwUnrecognised(path_, "der Teil '" + workbookPart + "' der Arbeitsmappe fehlt");
    }
    std::vector<SheetListing> listed;
    {
        WorkbookHandler handler(listed);
        const PartPlace place{path_, workbookEntry->name};
        PartParser parser(handler, place);
        handler.parser = &parser;
        zip_->inflate(*workbookEntry, [&](std::string_view piece) { parser.feed(piece, false); });
        parser.feed({}, true);
    }
    std::unordered_map<std::string, Relationship> relationships;
    for (Relationship& relationship : readRelationships(*zip_, workbookPart)) {
        if (relationship.type == rel::kSharedStrings && !sharedStringsEntry_) {
            sharedStringsEntry_ = zip_->find(relationship.target);
            if (!sharedStringsEntry_) {
                throwDamaged({path_, relationship.target}, "der Teil fehlt in der ZIP-Datei");
            }
        }
        relationships.emplace(relationship.id, std::move(relationship));
    }
    if (sharedStringsEntry_) {
        sharedStrings_ = readSharedStrings(*zip_, *sharedStringsEntry_, strings_);
    }
    const std::uint32_t sharedEntries = strings_.size();
    for (const SheetListing& sheet : listed) {
        const auto found = relationships.find(sheet.relationship);
        if (found == relationships.end()) {
            throwDamaged({path_, workbookEntry->name},
                         "das Blatt '" + sheet.name + "' nennt die unbekannte Beziehung '" +
                             sheet.relationship + "'");
        }
        if (found->second.type != rel::kWorksheet) {
            continue;  // charts, dialog and macro sheets stay as they are
        }
        const ZipEntry* entry = zip_->find(found->second.target);
        if (!entry) {
            throwDamaged({path_, found->second.target},
                         "der Teil des Blatts '" + sheet.name + "' fehlt in der ZIP-Datei");
        }
        if (std::any_of(sheets_.begin(), sheets_.end(),
                        [&](const SheetEntry& other) { return other.part == entry; })) {
            throwDamaged({path_, entry->name}, "zwei Blätter nennen denselben Teil");
        }
        sheets_.push_back({entry, std::make_unique<Worksheet>(
                                      sheet.name,
                                      readSheetPart(*zip_, *entry, strings_, sharedEntries),
                                      strings_)});
    }
}

Worksheet& Workbook::worksheet(std::size_t index) {
    if (index >= sheets_.size()) {
        throw Error(err::kItemNotFound, "Die Arbeitsmappe '" + nativePath(path_) +
                                            "' hat kein Tabellenblatt Nr. " +
                                            std::to_string(index + 1) + " (" +
                                            std::to_string(sheets_.size()) + " Blätter).");
    }
    return *sheets_[index].worksheet;
}

Worksheet& Workbook::worksheet(const std::string& name) {
    for (SheetEntry& sheet : sheets_) {
        if (sameName(sheet.worksheet->name(), name)) {
            return *sheet.worksheet;
        }
    }
    throw Error(err::kInputTableNotFound, "Das Tabellenblatt '" + name +
                                              "' wurde in der Arbeitsmappe '" + nativePath(path_) +
                                              "' nicht gefunden.");
}

std::vector<std::string> Workbook::worksheetNames() const {
    std::vector<std::string> names;
    for (const SheetEntry& sheet : sheets_) {
        names.push_back(sheet.worksheet->name());
    }
    return names;
}

bool Workbook::modified() const {
    return std::any_of(sheets_.begin(), sheets_.end(),
                       [](const SheetEntry& sheet) { return sheet.worksheet->modified(); });
}

void Workbook::markSaved() {
    for (SheetEntry& sheet : sheets_) {
        sheet.worksheet->markSaved();
    }
}

void Workbook::reopenAs(std::string path) {
    path_ = std::move(path);
    for (SheetEntry& sheet : sheets_) {
        sheet.worksheet->forgetAppendedRows();
    }
}

std::vector<bool> Workbook::usedTexts(std::uint64_t& references) const {
    std::vector<bool> used(strings_.size(), false);
    references = 0;
    for (const SheetEntry& sheet : sheets_) {
        for (const auto& [number, row] : sheet.worksheet->part().rows) {
            for (const spreadsheet::Cell& cell : row.cells) {
                if (cell.kind == spreadsheet::CellKind::Text) {
                    used[cell.index] = true;
                    ++references;
                }
            }
        }
    }
    return used;
}

void Workbook::dropUnusedTexts() {
    std::uint64_t references = 0;
    const std::vector<bool> used = usedTexts(references);
    const auto unused = static_cast<std::size_t>(std::count(used.begin(), used.end(), false));
    if (unused > 1024 && unused * 4 > used.size()) {
        strings_.keepOnly(used);
    }
}

void Workbook::writeTo(std::FILE* file) const {
    std::uint64_t references = 0;
    const std::vector<bool> used = usedTexts(references);
    const std::vector<std::uint32_t> entryNumbers =
        sharedStringsEntry_ ? sharedStringNumbers(used) : std::vector<std::uint32_t>();
    ZipWriter writer(file, path_);
    for (const ZipEntry& entry : zip_->entries()) {
        const auto sheet = std::find_if(sheets_.begin(), sheets_.end(),
                                        [&](const SheetEntry& s) { return s.part == &entry; });
        if (&entry == sharedStringsEntry_) {
            writer.addDeflated(entry, [&](const PieceSink& sink) {
                writeSharedStrings(sharedStrings_, strings_, used, references, sink);
            });
        } else if (sheet != sheets_.end()) {
            writer.addDeflated(entry, [&](const PieceSink& sink) {
                writeSheetPart(sheet->worksheet->part(), strings_, entryNumbers, sink);
            });
        } else {
            writer.addStored(entry, zip_->storedBytes(entry));
        }
    }
    writer.finish();
}

std::unique_ptr<spreadsheet::Workbook> readWorkbook(spreadsheet::StreamBytes&& bytes,
                                                    const std::string& path) {
    return Workbook::fromBytes(std::move(bytes), path);
}

}  // namespace glossel::xlsx
