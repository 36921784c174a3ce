// SysTools, the global object of the utility component. It is created on first use and lives
// until the program ends; each use asks it anew for a FileTools or RegistryTools object:
//   SysTools().RegistryTools().EnumSubKeys(HKEY_LOCAL_MACHINE, key)
// The machine registry is the file that TESSVIA_REGISTRY names, else kDefaultRegistryFile.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/systools/FileTools.h"
#include "platform/systools/RegistryTools.h"
#include "platform/systools/SaveDialog.h"

namespace glossel::systools {

inline constexpr char kRegistryVariable[] = "TESSVIA_REGISTRY";
inline constexpr char kDefaultRegistryFile[] = "/var/lib/tessvia/machine.reg";

class SysToolsObject {
public:
    systools::FileTools FileTools() const;
    // Bound to the registry file named at the time of the call.
    systools::RegistryTools RegistryTools() const;

    // With false, RegistryTools.DeleteKey leaves every key in place, as for a user without the
    // right to change the registry. True at start.
    void SetRegistryWritable(bool writable);

    // The dialog FileTools.ShowSaveDialog shows from now on; nullptr for none (the start).
    void SetSaveDialog(std::unique_ptr<SaveDialog> dialog);

private:
    std::atomic<bool> registryWritable_{true};
    std::unique_ptr<SaveDialog> saveDialog_;
};

SysToolsObject& SysTools();

// TESSVIA_REGISTRY when set and not empty, else kDefaultRegistryFile.
std::string machineRegistryFile();

}  // namespace glossel::systools
