// The error the file layer throws: a glossel::Error that also keeps the system's error number, so
// that a caller can tell "no rights" from "disk full" without reading the text.
#pragma once

#include <string>
#include <utility>

#include "platform/Error.h"

namespace glossel::files {

class FileError : public Error {
public:
    FileError(int number, std::string description, int systemError)
        : Error(number, std::move(description)), systemError_(systemError) {}

    // The errno value of the failed call.
    int systemError() const { return systemError_; }

private:
    int systemError_;
};

}  // namespace glossel::files
