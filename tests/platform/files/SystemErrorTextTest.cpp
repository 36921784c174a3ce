// The reasons in file error messages: German for every error file operations meet, the system's
// own text for the rest.
#include "platform/files/SystemErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <set>

namespace glossel::files {
namespace {

TEST(SystemErrorText, FileErrorsReadInGerman) {
    const std::set<int> fileErrors = {ENOENT, EACCES,       EPERM,   EROFS,  ENOSPC,
                                      EDQUOT, EISDIR,       ENOTDIR, EBUSY,  ETXTBSY,
                                      EIO,    ENAMETOOLONG, ELOOP,   EMLINK, kEndOfFile};
    for (const int error : fileErrors) {
        const std::string text = systemErrorText(error);
        EXPECT_FALSE(text.empty()) << error;
        if (error != kEndOfFile) {
            EXPECT_NE(text, std::strerror(error)) << error;
        }
    }
    EXPECT_EQ(systemErrorText(ENOENT), "Datei oder Verzeichnis nicht gefunden");
    EXPECT_EQ(systemErrorText(EACCES), "Zugriff verweigert");
    EXPECT_EQ(systemErrorText(EPERM), systemErrorText(EACCES));
    EXPECT_EQ(systemErrorText(ENOSPC), "kein Platz mehr auf dem Datenträger");
    EXPECT_NE(systemErrorText(EDQUOT), systemErrorText(ENOSPC));
}

TEST(SystemErrorText, RareErrorsKeepTheSystemsText) {
    for (const int error : {EPROTO, ECONNRESET, EOVERFLOW}) {
        EXPECT_EQ(systemErrorText(error), std::strerror(error)) << error;
    }
}

}  // namespace
}  // namespace glossel::files
