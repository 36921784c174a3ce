// Object names (tables, fields) compare without regard to letter case, as Jet compares them.
#pragma once

#include <string>

namespace glossel {

bool sameName(const std::string& a, const std::string& b);

}  // namespace glossel
