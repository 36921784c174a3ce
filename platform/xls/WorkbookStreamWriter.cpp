// Writing the Workbook stream: the globals with a rebuilt string table, then every sheet back
// to back in BOUNDSHEET order, with each BOUNDSHEET pointing at its sheet's new position.
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
    std::size_t sizeEstimate = 0;  // of the whole stream, to reserve it at once
};

constexpr std::size_t kRecordEstimate = 24;  // a cell or ROW record, rounded up

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
            plan.sizeEstimate += (cells.cells.size() + 1) * kRecordEstimate;
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
            plan.sizeEstimate += 3 + 2 * content.strings.text(entry).size();
        }
    }
    return plan;
}

// A sheet kept as read, written at a new position: the positions in its INDEX move with it,
// and its LABELSST cells follow their texts to their new places in the SST.
void writeOtherSheet(Bytes& out, const std::vector<Record>& records,
                     std::span<const std::uint32_t> sstIndex) {
    const std::uint32_t delta = static_cast<std::uint32_t>(out.size()) - records.front().position;
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

}  // namespace

Bytes writeWorkbookStream(const WorkbookContent& content) {
    const SstPlan plan = planStringTable(content);
    Bytes out;
    out.reserve(plan.sizeEstimate);
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
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        BoundSheetRecord::patchPosition(out, boundSheetHeaders[i],
                                        static_cast<std::uint32_t>(out.size()));
        const SheetEntry& sheet = content.sheets[i];
        if (sheet.worksheet) {
            writeWorksheet(out, sheet.worksheet->content(), plan.newIndex);
        } else {
            writeOtherSheet(out, sheet.records, plan.newIndex);
        }
    }
    return out;
}

}  // namespace glossel::xls
