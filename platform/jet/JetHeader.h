// The database header on page 0: which Jet version the file is, its code page, and whether it is
// encrypted or protected by a password (both refused: we have no key).
#pragma once

#include <cstdint>
#include <string>

#include "platform/jet/JetFormat.h"
#include "platform/jet/PageStore.h"

namespace glossel::jet {

struct JetHeader {
    const JetFormat* format;
    std::uint16_t codePage;  // Jet 3 text is stored in it
};

// Reads and checks the header. Errors name `path`: 3343 for a file that is no Jet 3/4 database
// or is encrypted, 3031 for a password-protected one, 3049 for a damaged one.
JetHeader readJetHeader(const PageStore& store, const std::string& path);

}  // namespace glossel::jet
