// German texts for the system errors that file and registry operations report.
#pragma once

#include <string>

namespace glossel::systools {

// "Zugriff verweigert" for EACCES, …; the system's own text for the rarer ones.
std::string systemErrorText(int error);

}  // namespace glossel::systools
