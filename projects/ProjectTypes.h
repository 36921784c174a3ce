// The types of registered projects: one bit per type, so that a mask can select several, and
// the name the registry stores for each.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/Variant.h"

namespace glossel::projects {

struct ProjectType {
    std::int32_t code;
    std::string_view name;
};

// In the order in which they are compared.
inline constexpr std::array<ProjectType, 7> kProjectTypes{{
    {1, "Single"},
    {2, "Server"},
    {4, "Client"},
    {8, "Terminal Server"},
    {16, "Terminal Client"},
    {32, "Group"},
    {64, "TessviaX"},
}};

inline constexpr std::int32_t kNoProjectType = 0;
inline constexpr std::int32_t kGroupProject = 32;
// The mask that selects every type.
inline constexpr std::int32_t kAllProjectTypes = 65535;

// Converts in both directions. A numeric argument (a number, or a text that reads as one under
// the system's number format, see SystemNumberFormat.h) gives the name of the type with that
// code as text, "" for no type. Any other text gives the code of the type with exactly that
// name (letter case and blanks count) as std::int32_t, 0 for none; Null gives 0.
// Throws glossel::Error err::kTypeMismatch for a date, GUID or bytes.
Variant ConvertProjectType(const Variant& value);

}  // namespace glossel::projects
