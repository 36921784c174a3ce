// libFuzzer target: reads mutated bytes as an XLIFF document returned by a translation tool.
// Damage must surface as glossel::Error, never as a crash, hang or stray read; and what the
// reader accepts must keep its limits: every unit with an id, unique in its <file>, texts no
// longer than allowed, translated only where there is a target. Seed with .xlf files.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/Error.h"
#include "platform/xliff/XliffFormat.h"
#include "platform/xliff/XliffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glossel::xliff;
    XliffDocument document;
    try {
        document =
            parseXliff(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xlf");
    } catch (const glossel::Error&) {
        return 0;
    }
    for (const XliffReadFile& file : document.files) {
        if (file.sourceLanguage.empty() || file.targetLanguage.empty()) {
            std::abort();
        }
        std::unordered_set<std::string> ids;
        for (const XliffReadUnit& unit : file.units) {
            if (unit.id.empty() || unit.id.size() > kMaxAttributeBytes ||
                !ids.insert(unit.id).second || unit.source.size() > kMaxTextBytes ||
                unit.target.size() > kMaxTextBytes || (unit.translated && !unit.hasTarget) ||
                (!unit.hasTarget && !unit.target.empty()) || unit.line < file.line) {
                std::abort();
            }
        }
    }
    return 0;
}
