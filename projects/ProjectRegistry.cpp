// The registry layout of registered projects.
#include "projects/ProjectRegistry.h"

#include "platform/Error.h"

namespace glossel::projects {

std::string projectKey(const std::string& name) {
    return std::string(kProjectsKey) + "\\" + name;
}

std::string registryText(const Variant& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return std::to_string(*number);
    }
    throw Error(err::kTypeMismatch,
                "Typen unverträglich: der Registrierungswert ist weder Text noch Zahl.");
}

}  // namespace glossel::projects
