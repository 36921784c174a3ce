// Paths in the engines' messages read as the system writes them: a path the program joined with
// "\" appears with "/" in the description.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"

namespace glossel {
namespace {

// The temporary directory and a name in it joined as the program joins them.
std::string joined(const test::TempDir& dir, const std::string& name) {
    return std::filesystem::path(dir.path(name)).parent_path().string() + "\\" + name;
}

// The description of what `open` throws; "" when it throws nothing.
template <typename Open>
std::string descriptionOf(Open open) {
    try {
        open();
    } catch (const Error& error) {
        return error.description();
    }
    return {};
}

TEST(PathMessages, OpeningAMissingDatabaseNamesItsNativePath) {
    test::TempDir dir;
    const std::string text =
        descriptionOf([&] { dao::DBEngine().OpenDatabase(joined(dir, "Kaputt.tvs")); });
    EXPECT_NE(text.find("'" + dir.path("Kaputt.tvs") + "'"), std::string::npos) << text;
    EXPECT_EQ(text.find('\\'), std::string::npos) << text;
}

TEST(PathMessages, AnOpenDatabaseNamesItsNativePathInLaterErrors) {
    test::TempDir dir;
    std::filesystem::copy_file(test::dataPath("jet/Demo.tvs"), dir.path("Demo.tvs"));
    const std::string text = descriptionOf(
        [&] { dao::DBEngine().OpenDatabase(joined(dir, "Demo.tvs")).OpenRecordset("Fehlt"); });
    EXPECT_NE(text.find("'" + dir.path("Demo.tvs") + "'"), std::string::npos) << text;
    EXPECT_EQ(text.find('\\'), std::string::npos) << text;
}

TEST(PathMessages, WorkbooksThatCannotBeReadAreNamedByTheirNativePath) {
    test::TempDir dir;
    test::writeBytes(dir.path("Kaputt.xls"),
                     {'k', 'e', 'i', 'n', 'e', ' ', 'M', 'a', 'p', 'p', 'e'});
    for (const std::string name : {"Kaputt.xls", "Fehlt.xls"}) {
        const std::string text = descriptionOf([&] { xls::openWorkbook(joined(dir, name)); });
        EXPECT_NE(text.find("'" + dir.path(name) + "'"), std::string::npos) << text;
        EXPECT_EQ(text.find('\\'), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace glossel
