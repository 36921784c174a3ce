// Field values as the command line prints them in CSV (RFC 4180): texts quoted, null empty,
// numbers in the shortest plain decimal that reads back to the same value, TRUE/FALSE,
// dates as YYYY-MM-DD HH:MM:SS, binary as hex.
#pragma once

#include <string>

#include "platform/CsvQuoting.h"
#include "platform/Variant.h"

namespace glossel::cli {

std::string csvField(const Variant& value);
std::string formatDateTime(double days);

}  // namespace glossel::cli
