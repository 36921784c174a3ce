// The lookup of a registered project's directory.
#include "projects/ProjectDirectory.h"

#include "platform/systools/SysTools.h"
#include "projects/ProjectRegistry.h"

namespace glossel::projects {

std::string projectDirectory(const std::string& name) {
    return registryText(systools::SysTools().RegistryTools().ReadValue(
        systools::HKEY_LOCAL_MACHINE, projectKey(name), kPathValue, std::string()));
}

}  // namespace glossel::projects
