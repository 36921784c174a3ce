// The directory that holds the running program file; the export templates lie there.
#pragma once

#include <string>

namespace glossel {

std::string programDirectory();

}  // namespace glossel
