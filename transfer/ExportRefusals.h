// What the export refuses before it writes anything: a target that is no exchange file, a target
// that is the project itself, and more languages than the workbook template has columns for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "transfer/ExchangeKinds.h"

namespace glossel::transfer {

// The target's kind by its extension ("xls", "xlsx" or "mdb", exact letter case); error 3264
// naming the extension found otherwise.
const ExchangeKind& exchangeKind(const std::string& targetPath);

// Error 3051 when the target is the project file: the same path, or a hard or symbolic link to it.
void refuseExportIntoProject(const std::string& projectPath, const std::string& targetPath);

// Error 3437 when the workbook template's worksheet has fewer columns after ID and Description
// than languages are to be exported.
void refuseMoreLanguagesThanTemplateColumns(const ExchangeKind& kind,
                                            const std::string& templatePath,
                                            const std::vector<std::int32_t>& lcids);

}  // namespace glossel::transfer
