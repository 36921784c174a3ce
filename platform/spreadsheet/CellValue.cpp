// Cell values, error codes and their Variant forms.
#include "platform/spreadsheet/CellValue.h"

#include <cmath>

#include "platform/Error.h"

namespace glossel::spreadsheet {
namespace {

double decimalToDouble(const Decimal& value) {
    double magnitude = 0;
    for (std::uint32_t word : value.magnitude) {
        magnitude = magnitude * 4294967296.0 + word;
    }
    const double scaled = magnitude / std::pow(10.0, value.scale);
    return value.negative ? -scaled : scaled;
}

}  // namespace

std::optional<CellError> cellErrorFromCode(std::uint8_t code) {
    switch (static_cast<CellError>(code)) {
        case CellError::Null:
        case CellError::DivisionByZero:
        case CellError::Value:
        case CellError::Reference:
        case CellError::Name:
        case CellError::Number:
        case CellError::NotAvailable:
            return static_cast<CellError>(code);
    }
    return std::nullopt;
}

std::string_view errorText(CellError error) {
    switch (error) {
        case CellError::Null:
            return "#NULL!";
        case CellError::DivisionByZero:
            return "#DIV/0!";
        case CellError::Value:
            return "#VALUE!";
        case CellError::Reference:
            return "#REF!";
        case CellError::Name:
            return "#NAME?";
        case CellError::Number:
            return "#NUM!";
        case CellError::NotAvailable:
            return "#N/A";
    }
    return "#N/A";
}

Variant toVariant(CellValue value) {
    struct Converter {
        Variant operator()(Empty) const { return Null{}; }
        Variant operator()(double v) const { return v; }
        Variant operator()(std::string& v) const { return std::move(v); }
        Variant operator()(bool v) const { return v; }
        Variant operator()(CellError) const { return Null{}; }
    };
    return std::visit(Converter{}, value);
}

CellValue fromVariant(const Variant& value) {
    struct Converter {
        CellValue operator()(Null) const { return Empty{}; }
        CellValue operator()(bool v) const { return v; }
        CellValue operator()(std::uint8_t v) const { return static_cast<double>(v); }
        CellValue operator()(std::int16_t v) const { return static_cast<double>(v); }
        CellValue operator()(std::int32_t v) const { return static_cast<double>(v); }
        CellValue operator()(float v) const { return static_cast<double>(v); }
        CellValue operator()(double v) const { return v; }
        CellValue operator()(Currency v) const {
            return static_cast<double>(v.tenThousandths) / 10000.0;
        }
        CellValue operator()(DateTime v) const { return v.days; }
        CellValue operator()(const Decimal& v) const { return decimalToDouble(v); }
        CellValue operator()(const std::string& v) const { return v; }
        CellValue operator()(const Guid&) const { return unsupported("eine GUID"); }
        CellValue operator()(const Bytes&) const { return unsupported("Binärdaten"); }

        static CellValue unsupported(const char* what) {
            throw Error(err::kTypeMismatch, std::string("Typen unverträglich: ") + what +
                                                " kann nicht in eine Excel-Zelle geschrieben "
                                                "werden.");
        }
    };
    return std::visit(Converter{}, value);
}

}  // namespace glossel::spreadsheet
