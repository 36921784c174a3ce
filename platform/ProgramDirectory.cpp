// The program's directory, from the link the kernel keeps to the running executable.
#include "platform/ProgramDirectory.h"

#include <filesystem>

#include "platform/Error.h"
#include "platform/files/SystemErrorText.h"

namespace glossel {

std::string programDirectory() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        throw Error(err::kInvalidArgument, "Das Programmverzeichnis ist nicht bestimmbar: " +
                                               files::systemErrorText(error.value()) + ".");
    }
    return program.parent_path().string();
}

}  // namespace glossel
