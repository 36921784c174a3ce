// Test helper: after an import, mdbtools and mdb-reader read the project and its copy from
// before the import (tests/transfer/import_check.py), and every table must be as before except
// the imported language columns, which both readers must read alike.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace glossel::test {

// Success when `after` has the same bytes as `before` (nothing was written) or the checker finds
// nothing but the columns L<lcid> of TidxTexts changed; otherwise a failure with its report.
::testing::AssertionResult onlyImportedColumnsChanged(const std::string& before,
                                                      const std::string& after,
                                                      const std::vector<std::int32_t>& lcids);

}  // namespace glossel::test
