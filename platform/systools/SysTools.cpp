// The utility component's global object.
#include "platform/systools/SysTools.h"

#include <cstdlib>
#include <utility>

namespace glossel::systools {

FileTools SysToolsObject::FileTools() const {
    return systools::FileTools(saveDialog_.get());
}

RegistryTools SysToolsObject::RegistryTools() const {
    return systools::RegistryTools(machineRegistryFile(), registryWritable_);
}

void SysToolsObject::SetRegistryWritable(bool writable) {
    registryWritable_ = writable;
}

void SysToolsObject::SetSaveDialog(std::unique_ptr<SaveDialog> dialog) {
    saveDialog_ = std::move(dialog);
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
