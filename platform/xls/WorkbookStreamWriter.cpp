// Writing the Workbook stream: the globals with a rebuilt string table, then every sheet back
// to back in BOUNDSHEET order, with each BOUNDSHEET pointing at its sheet's new position.
//
// The stream leaves in pieces of about a megabyte: the globals, their string table cut between
// records, and the worksheets cut between blocks of rows, so that it is never whole in memory.
// The globals point at the sheets after them and each worksheet's INDEX at its blocks, so the
// sheets are written once beforehand only to learn their sizes and positions; the globals' size
// is counted from their records and the string table's entries.
#include <algorithm>
#include <optional>

#include "platform/ByteOrder.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/SstRecord.h"
#include "platform/xls/WorkbookStream.h"
#include "platform/xls/WorksheetWriter.h"

namespace glossel::xls {
namespace {

// The string-table entries that cells use, in table order, and each entry's new index.
struct SstPlan {
    std::vector<std::uint32_t> order;
    std::vector<std::uint32_t> newIndex;
    std::uint32_t cellCount = 0;
};

constexpr std::size_t kGlobalsBesideSst = 1 << 16;
// Unused texts are given up once they are this fraction (1/n) of all text: moving the others
// together costs time.
constexpr std::size_t kWorthDropping = 8;

// The string-table entry a LABELSST of a sheet kept as read (a macro sheet) refers to, if any.
std::optional<std::uint32_t> keptLabelIndex(const Record& record, std::size_t tableSize) {
    if (record.id != id::kLabelSst || record.data.size() < 10) {
        return std::nullopt;
    }
    const std::uint32_t index = RecordReader(record, {}).u32(6);
    return index < tableSize ? std::optional<std::uint32_t>(index) : std::nullopt;
}

// Calls use(entry) for every cell that shows a string-table entry.
template <typename Use>
void forEachTextCell(const WorkbookContent& content, Use use) {
    for (const SheetEntry& sheet : content.sheets) {
        for (const Record& record : sheet.records) {
            if (const auto entry = keptLabelIndex(record, content.strings.size())) {
                use(*entry);
            }
        }
        if (!sheet.worksheet) {
            continue;
        }
        for (const auto& [row, cells] : sheet.worksheet->content().rows) {
            for (const Cell& cell : cells.cells) {
                if (cell.kind == CellKind::Text) {
                    use(cell.index);
                }
            }
        }
    }
}

SstPlan planStringTable(const WorkbookContent& content) {
    SstPlan plan;
    std::vector<bool> used(content.strings.size(), false);
    forEachTextCell(content, [&](std::uint32_t entry) {
        used[entry] = true;
        ++plan.cellCount;
    });
    plan.newIndex.assign(content.strings.size(), 0);
    for (std::uint32_t entry = 0; entry < used.size(); ++entry) {
        if (used[entry]) {
            plan.newIndex[entry] = static_cast<std::uint32_t>(plan.order.size());
            plan.order.push_back(entry);
        }
    }
    return plan;
}

// A sheet kept as read, written at a new position: the positions in its INDEX move with it,
// and its LABELSST cells follow their texts to their new places in the SST.
void writeOtherSheet(Bytes& out, std::uint32_t base, const std::vector<Record>& records,
                     std::span<const std::uint32_t> sstIndex) {
    const std::uint32_t delta =
        base + static_cast<std::uint32_t>(out.size()) - records.front().position;
    int depth = 0;
    for (const Record& record : records) {
        depth += record.id == id::kBof ? 1 : 0;
        const std::size_t header = out.size();
        appendRaw(out, record);
        if (const auto entry = keptLabelIndex(record, sstIndex.size())) {
            le::set32(out, header + kRecordHeaderSize + 6, sstIndex[*entry]);
        }
        if (depth == 1 && record.id == id::kIndex && record.cuts.empty() &&
            record.data.size() >= 16) {
            const RecordReader fields(record, {});
            for (std::size_t field = 12; field + 4 <= record.data.size(); field += 4) {
                if (const std::uint32_t position = fields.u32(field); position != 0) {
                    le::set32(out, header + kRecordHeaderSize + field, position + delta);
                }
            }
        }
        depth -= record.id == id::kEof ? 1 : 0;
    }
}

bool writesStringTable(const WorkbookContent& content, const SstPlan& plan) {
    return content.hadStringTable || plan.cellCount > 0;
}

std::size_t rawSize(const Record& record) {
    return record.data.size() + kRecordHeaderSize * (record.cuts.size() + 1);
}

// The size of the globals as writeGlobals writes them.
std::size_t globalsSize(const WorkbookContent& content, const SstPlan& plan) {
    std::size_t size = 0;
    for (const GlobalsItem& item : content.globals) {
        if (item.kind != GlobalsItem::Kind::StringTable) {
            size += rawSize(item.record);
        } else if (writesStringTable(content, plan)) {
            size += sstSize(content.strings, plan.order);
        }
    }
    return size;
}

// The globals, each BOUNDSHEET pointing at its sheet's position, handed to `put` in pieces.
void writeGlobals(const WorkbookContent& content, const SstPlan& plan,
                  std::span<const std::uint32_t> sheetPositions, const HandOn& put) {
    Bytes out;
    out.reserve(kGlobalsBesideSst);
    std::size_t handedOn = 0;
    for (const GlobalsItem& item : content.globals) {
        switch (item.kind) {
            case GlobalsItem::Kind::Raw:
                appendRaw(out, item.record);
                break;
            case GlobalsItem::Kind::BoundSheet: {
                const std::size_t header = out.size();
                appendRaw(out, item.record);
                BoundSheetRecord::patchPosition(out, header, sheetPositions[item.sheet]);
                break;
            }
            case GlobalsItem::Kind::StringTable:
                if (writesStringTable(content, plan)) {
                    writeSst({out, handedOn, put}, content.strings, plan.order, plan.cellCount);
                }
                break;
        }
    }
    put(out);
}

}  // namespace

void dropUnusedStrings(WorkbookContent& content) {
    std::vector<bool> used(content.strings.size(), false);
    forEachTextCell(content, [&](std::uint32_t entry) { used[entry] = true; });
    std::size_t usedBytes = 0;
    std::size_t unusedBytes = 0;
    for (std::uint32_t entry = 0; entry < used.size(); ++entry) {
        (used[entry] ? usedBytes : unusedBytes) += content.strings.text(entry).size();
    }
    if (unusedBytes * kWorthDropping >= usedBytes + unusedBytes) {
        content.strings.keepOnly(used);
    }
}

void writeWorkbookStream(const WorkbookContent& content, const HandOn& put) {
    const SstPlan plan = planStringTable(content);
    Bytes piece;
    std::vector<WorksheetLayout> layouts(content.sheets.size());
    std::vector<std::size_t> sheetSizes;
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        const SheetEntry& sheet = content.sheets[i];
        if (sheet.worksheet) {
            layouts[i] = measureWorksheet(sheet.worksheet->content(), plan.newIndex);
            sheetSizes.push_back(layouts[i].size);
        } else {
            piece.clear();
            writeOtherSheet(piece, 0, sheet.records, plan.newIndex);
            sheetSizes.push_back(piece.size());
        }
    }
    std::vector<std::uint32_t> sheetPositions(content.sheets.size(), 0);
    std::size_t position = globalsSize(content, plan);
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        sheetPositions[i] = static_cast<std::uint32_t>(position);
        position += sheetSizes[i];
    }
    writeGlobals(content, plan, sheetPositions, put);
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        const SheetEntry& sheet = content.sheets[i];
        if (sheet.worksheet) {
            writeWorksheet(sheetPositions[i], sheet.worksheet->content(), plan.newIndex, layouts[i],
                           put);
        } else {
            piece.clear();
            writeOtherSheet(piece, sheetPositions[i], sheet.records, plan.newIndex);
            put(piece);
        }
    }
}

Bytes writeWorkbookStream(const WorkbookContent& content) {
    Bytes stream;
    writeWorkbookStream(content, [&](std::span<const std::uint8_t> piece) {
        stream.insert(stream.end(), piece.begin(), piece.end());
    });
    return stream;
}

}  // namespace glossel::xls
