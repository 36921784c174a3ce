// Damage and format errors with their German descriptions.
#include "platform/xls/Damage.h"

#include <cstdio>
#include <string>

#include "platform/Error.h"
#include "platform/NativePath.h"
#include "platform/xls/BiffFormat.h"

namespace glossel::xls {
namespace {

const char* recordName(std::uint16_t recordId) {
    switch (recordId) {
        case id::kBof:
            return "BOF";
        case id::kEof:
            return "EOF";
        case id::kBoundSheet:
            return "BOUNDSHEET";
        case id::kSst:
            return "SST";
        case id::kExtSst:
            return "EXTSST";
        case id::kXf:
            return "XF";
        case id::kIndex:
            return "INDEX";
        case id::kDimensions:
            return "DIMENSIONS";
        case id::kRow:
            return "ROW";
        case id::kColInfo:
            return "COLINFO";
        case id::kLabelSst:
            return "LABELSST";
        case id::kLabel:
            return "LABEL";
        case id::kNumber:
            return "NUMBER";
        case id::kRk:
            return "RK";
        case id::kMulRk:
            return "MULRK";
        case id::kBlank:
            return "BLANK";
        case id::kMulBlank:
            return "MULBLANK";
        case id::kBoolErr:
            return "BOOLERR";
        case id::kFormula:
            return "FORMULA";
        case id::kString:
            return "STRING";
        default:
            return nullptr;
    }
}

std::string recordLabel(std::uint16_t recordId) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", recordId);
    const char* name = recordName(recordId);
    return name ? std::string(name) + " (" + hex + ")" : std::string(hex);
}

}  // namespace

void throwDamaged(const Source& source, std::optional<std::uint32_t> position,
                  std::optional<std::uint16_t> recordId, std::string_view what) {
    std::string description =
        "Die Arbeitsmappe '" + nativePath(std::string(source.path)) + "' ist beschädigt";
    std::string where;
    if (!source.sheet.empty()) {
        where += "Blatt '" + std::string(source.sheet) + "'";
    }
    if (recordId) {
        where += (where.empty() ? "" : ", ") + std::string("Datensatz ") + recordLabel(*recordId);
    }
    if (position) {
        where += (where.empty() ? "" : ", ") + std::string("Position ") +
                 std::to_string(*position) + " im Datenstrom 'Workbook'";
    }
    if (!where.empty()) {
        description += " (" + where + ")";
    }
    description += ": " + std::string(what) + ".";
    throw Error(err::kDamaged, std::move(description));
}

void throwUnrecognised(std::string_view path, std::string_view what) {
    throw Error(err::kUnrecognisedFormat, "Nicht erkanntes Datenbankformat '" +
                                              nativePath(std::string(path)) +
                                              "': " + std::string(what) + ".");
}

}  // namespace glossel::xls
