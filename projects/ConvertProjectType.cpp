// Project type names and codes, converted either way.
#include <cmath>
#include <optional>

#include "platform/Error.h"
#include "projects/ProjectTypes.h"
#include "projects/SystemNumberFormat.h"

namespace glossel::projects {
namespace {

// The number the argument stands for, or std::nullopt when it is not numeric.
std::optional<double> numberOf(const Variant& value) {
    return std::visit(
        [](const auto& held) -> std::optional<double> {
            using T = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return numberFromText(held);
            } else if constexpr (std::is_same_v<T, bool>) {
                return held ? -1.0 : 0.0;  // True is -1, as in the Windows runtime
            } else if constexpr (std::is_arithmetic_v<T>) {
                return static_cast<double>(held);
            } else if constexpr (std::is_same_v<T, Currency>) {
                return static_cast<double>(held.tenThousandths) / 10000.0;
            } else if constexpr (std::is_same_v<T, Decimal>) {
                long double magnitude = 0;
                for (const std::uint32_t word : held.magnitude) {
                    magnitude = magnitude * 4294967296.0L + word;
                }
                const long double number = magnitude / std::pow(10.0L, held.scale);
                return static_cast<double>(held.negative ? -number : number);
            } else {
                return std::nullopt;
            }
        },
        value);
}

}  // namespace

Variant ConvertProjectType(const Variant& value) {
    if (const auto number = numberOf(value)) {
        for (const ProjectType& type : kProjectTypes) {
            if (*number == type.code) {
                return std::string(type.name);
            }
        }
        return std::string();
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        for (const ProjectType& type : kProjectTypes) {
            if (*text == type.name) {
                return type.code;
            }
        }
        return kNoProjectType;
    }
    if (isNull(value)) {
        return kNoProjectType;
    }
    throw Error(err::kTypeMismatch,
                "Typen unverträglich: ein Projekttyp ist eine Zahl oder ein Text.");
}

}  // namespace glossel::projects
