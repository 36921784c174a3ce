// Writing the Workbook stream: the globals with a rebuilt string table, then every sheet back
// to back in BOUNDSHEET order, with each BOUNDSHEET pointing at its sheet's new position.
//
// The stream leaves in pieces, the globals and then one sheet at a time, so that it is never
// whole in memory. The globals point at the sheets after them, so each sheet is written once
// beforehand only to learn its size.
#include <algorithm>
#include <optional>

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
    std::size_t textBytes = 0;  // of the entries in the SST, close enough to reserve it
};

constexpr std::size_t kContinueCost = 5;  // a CONTINUE header and the flags byte after it
constexpr std::size_t kGlobalsBesideSst = 1 << 16;

// The bytes of an entry in the SST without its formatting: one per character while every
// character is below U+0100 (UTF-8 leads up to 0xC3), else two.
std::size_t sstBytes(std::string_view text) {
    std::size_t continuations = 0;
    unsigned char highest = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        continuations += (byte & 0xC0) == 0x80 ? 1 : 0;
        highest = std::max(highest, byte);
    }
    const std::size_t characters = text.size() - continuations;
    return 3 + (highest <= 0xC3 ? characters : 2 * characters);
}

// The string-table entry a LABELSST of a sheet kept as read (a macro sheet) refers to, if any.
std::optional<std::uint32_t> keptLabelIndex(const Record& record, std::size_t tableSize) {
    if (record.id != id::kLabelSst || record.data.size() < 10) {
        return std::nullopt;
    }
    const std::uint32_t index = RecordReader(record, {}).u32(6);
    return index < tableSize ? std::optional<std::uint32_t>(index) : std::nullopt;
}

SstPlan planStringTable(const WorkbookContent& content) {
    SstPlan plan;
    std::vector<bool> used(content.strings.size(), false);
    const auto use = [&](std::uint32_t entry) {
        used[entry] = true;
        ++plan.cellCount;
    };
    for (const SheetEntry& sheet : content.sheets) {
        for (const Record& record : sheet.records) {
            if (const auto entry = keptLabelIndex(record, used.size())) {
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
    plan.newIndex.assign(content.strings.size(), 0);
    for (std::uint32_t entry = 0; entry < used.size(); ++entry) {
        if (used[entry]) {
            plan.newIndex[entry] = static_cast<std::uint32_t>(plan.order.size());
            plan.order.push_back(entry);
            plan.textBytes += sstBytes(content.strings.text(entry));
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
            patch32(out, header + kRecordHeaderSize + 6, sstIndex[*entry]);
        }
        if (depth == 1 && record.id == id::kIndex && record.cuts.empty() &&
            record.data.size() >= 16) {
            const RecordReader fields(record, {});
            for (std::size_t field = 12; field + 4 <= record.data.size(); field += 4) {
                if (const std::uint32_t position = fields.u32(field); position != 0) {
                    patch32(out, header + kRecordHeaderSize + field, position + delta);
                }
            }
        }
        depth -= record.id == id::kEof ? 1 : 0;
    }
}

void writeSheet(Bytes& out, std::uint32_t base, const SheetEntry& sheet,
                std::span<const std::uint32_t> sstIndex) {
    if (sheet.worksheet) {
        writeWorksheet(out, base, sheet.worksheet->content(), sstIndex);
    } else {
        writeOtherSheet(out, base, sheet.records, sstIndex);
    }
}

// The globals, each BOUNDSHEET pointing at its sheet, given the sheets' sizes.
void writeGlobals(Bytes& out, const WorkbookContent& content, const SstPlan& plan,
                  std::span<const std::size_t> sheetSizes) {
    std::vector<std::size_t> boundSheetHeaders(content.sheets.size());
    for (const GlobalsItem& item : content.globals) {
        switch (item.kind) {
            case GlobalsItem::Kind::Raw:
                appendRaw(out, item.record);
                break;
            case GlobalsItem::Kind::BoundSheet:
                boundSheetHeaders[item.sheet] = out.size();
                appendRaw(out, item.record);
                break;
            case GlobalsItem::Kind::StringTable:
                if (content.hadStringTable || plan.cellCount > 0) {
                    writeSst(out, content.strings, plan.order, plan.cellCount);
                }
                break;
        }
    }
    std::size_t position = out.size();
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        BoundSheetRecord::patchPosition(out, boundSheetHeaders[i],
                                        static_cast<std::uint32_t>(position));
        position += sheetSizes[i];
    }
}

}  // namespace

void writeWorkbookStream(const WorkbookContent& content, const PutPiece& put) {
    const SstPlan plan = planStringTable(content);
    Bytes piece;
    std::vector<std::size_t> sheetSizes;
    for (const SheetEntry& sheet : content.sheets) {
        piece.clear();
        writeSheet(piece, 0, sheet, plan.newIndex);
        sheetSizes.push_back(piece.size());
    }
    piece = Bytes();
    piece.reserve(plan.textBytes + plan.textBytes / kMaxRecordData * kContinueCost +
                  kGlobalsBesideSst);
    writeGlobals(piece, content, plan, sheetSizes);
    put(piece);
    auto base = static_cast<std::uint32_t>(piece.size());
    for (const SheetEntry& sheet : content.sheets) {
        piece.clear();
        writeSheet(piece, base, sheet, plan.newIndex);
        put(piece);
        base += static_cast<std::uint32_t>(piece.size());
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
