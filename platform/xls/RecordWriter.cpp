// Copying records byte for byte.
#include "platform/xls/RecordWriter.h"

#include "platform/xls/BiffFormat.h"

namespace glossel::xls {

void appendRaw(Bytes& out, const Record& record) {
    std::size_t begin = 0;
    for (std::size_t part = 0; part <= record.cuts.size(); ++part) {
        const std::size_t end = part < record.cuts.size() ? record.cuts[part] : record.data.size();
        const std::size_t header = beginRecord(out, part == 0 ? record.id : id::kContinue);
        out.insert(out.end(), record.data.begin() + static_cast<std::ptrdiff_t>(begin),
                   record.data.begin() + static_cast<std::ptrdiff_t>(end));
        endRecord(out, header);
        begin = end;
    }
}

}  // namespace glossel::xls
