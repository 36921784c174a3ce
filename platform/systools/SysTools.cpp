// The utility component's global object.
#include "platform/systools/SysTools.h"

#include <cstdlib>

namespace glossel::systools {

FileTools SysToolsObject::FileTools() const {
    return systools::FileTools();
}

RegistryTools SysToolsObject::RegistryTools() const {
    return systools::RegistryTools(machineRegistryFile(), registryWritable_);
}

void SysToolsObject::SetRegistryWritable(bool writable) {
    registryWritable_ = writable;
}

SysToolsObject& SysTools() {
    static SysToolsObject tools;
    return tools;
}

std::string machineRegistryFile() {
    const char* file = std::getenv(kRegistryVariable);
    return file != nullptr && *file != '\0' ? file : kDefaultRegistryFile;
}

}  // namespace glossel::systools
