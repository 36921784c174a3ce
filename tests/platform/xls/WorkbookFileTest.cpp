// Workbooks opened from files: one shared in-memory workbook per file while a handle is open,
// exclusive opens, and writing back — only by flush() or the last close(), through a new file
// renamed over the old one, so that a failed write or a dropped handle leaves the file as it was.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "platform/Error.h"
#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"

namespace glossel::xls {
namespace {

class WorkbookFile : public testing::Test {
protected:
    void SetUp() override { std::filesystem::copy_file(test::dataPath("xls/Export.xls"), path_); }

    std::vector<std::string> filesInDirectory() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path(""))) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    test::TempDir dir_;
    std::string path_ = dir_.path("Export.xls");
    std::vector<std::uint8_t> original_ = test::readBytes(test::dataPath("xls/Export.xls"));
};

template <typename Action>
int errorNumber(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

// Makes every write past `bytes` bytes fail (EFBIG) while it lives, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

TEST_F(WorkbookFile, LaterOpenSeesEarlierChangesAndLastCloseWrites) {
    spreadsheet::WorkbookHandle first = openWorkbook(path_);
    first->worksheet(0).setCell(1, 1, std::string("geändert"));
    spreadsheet::WorkbookHandle second = openWorkbook(path_);
    EXPECT_EQ(&first.workbook(), &second.workbook());
    EXPECT_EQ(second->worksheet(0).cell(1, 1), CellValue(std::string("geändert")));
    first.close();
    EXPECT_EQ(test::readBytes(path_), original_) << "written before the last close";
    second.close();
    spreadsheet::WorkbookHandle reopened = openWorkbook(path_);
    EXPECT_EQ(reopened->worksheet(0).cell(1, 1), CellValue(std::string("geändert")));
}

TEST_F(WorkbookFile, BackslashPathReachesTheSameWorkbook) {
    spreadsheet::WorkbookHandle first = openWorkbook(path_);
    std::string windowsStyle = path_;
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    spreadsheet::WorkbookHandle second = openWorkbook(windowsStyle);
    EXPECT_EQ(&first.workbook(), &second.workbook());
}

TEST_F(WorkbookFile, ExclusiveOpenAndSharedOpenExcludeEachOther) {
    {
        spreadsheet::WorkbookHandle shared = openWorkbook(path_);
        EXPECT_EQ(errorNumber([&] { openWorkbook(path_, spreadsheet::Access::Exclusive); }), err::kFileInUse);
    }
    spreadsheet::WorkbookHandle exclusive = openWorkbook(path_, spreadsheet::Access::Exclusive);
    EXPECT_EQ(errorNumber([&] { openWorkbook(path_); }), err::kFileInUse);
    EXPECT_EQ(errorNumber([&] { openWorkbook(path_, spreadsheet::Access::Exclusive); }), err::kFileInUse);
    exclusive.close();
    EXPECT_NO_THROW(openWorkbook(path_, spreadsheet::Access::Exclusive));
}

TEST_F(WorkbookFile, UnchangedWorkbookIsNotRewritten) {
    const auto before = std::filesystem::last_write_time(path_);
    spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
    workbook.close();
    EXPECT_EQ(std::filesystem::last_write_time(path_), before);
    EXPECT_EQ(test::readBytes(path_), original_);
}

TEST_F(WorkbookFile, DroppedHandleWritesNothingAndForgetsItsChanges) {
    {
        spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
        workbook->worksheet(0).appendRow(std::vector<CellValue>{1.0, std::string("verworfen")});
    }
    EXPECT_EQ(test::readBytes(path_), original_);
    EXPECT_EQ(filesInDirectory(), std::vector<std::string>{"Export.xls"});
    EXPECT_EQ(openWorkbook(path_)->worksheet(0).rowCount(), 1u);
}

TEST_F(WorkbookFile, FailedWriteLeavesTheOldFileAndKeepsTheHandleOpen) {
    spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
    for (int i = 0; i < 500; ++i) {
        workbook->worksheet(0).appendRow(std::vector<CellValue>{i * 1.0, std::string(40, 'x')});
    }
    {
        const FileSizeLimit limit(16384);
        EXPECT_EQ(errorNumber([&] { workbook.close(); }), err::kDiskIo);
    }
    EXPECT_TRUE(workbook.isOpen());
    EXPECT_EQ(test::readBytes(path_), original_);
    EXPECT_EQ(filesInDirectory(), std::vector<std::string>{"Export.xls"});
    workbook.close();
    EXPECT_EQ(openWorkbook(path_)->worksheet(0).rowCount(), 501u);
}

TEST_F(WorkbookFile, FlushWritesWhileHandlesStayOpen) {
    spreadsheet::WorkbookHandle first = openWorkbook(path_);
    spreadsheet::WorkbookHandle second = openWorkbook(path_);
    first->worksheet(0).setCell(2, 0, 2.0);
    first.flush();
    EXPECT_NE(test::readBytes(path_), original_);
    EXPECT_FALSE(first->modified());
}

TEST_F(WorkbookFile, ReopenAfterCloseSeesTheWrittenStateAsARereadWould) {
    spreadsheet::WorkbookHandle first = openWorkbook(path_);
    first->worksheet(0).setCell(1, 1, std::string("erste Sitzung"));
    first->worksheet(0).appendRow(std::vector<CellValue>{Empty{}});
    first.close();
    spreadsheet::WorkbookHandle second = openWorkbook(path_);
    EXPECT_EQ(second->worksheet(0).cell(1, 1), CellValue(std::string("erste Sitzung")));
    second->worksheet(0).setCell(1, 1, std::string("erste Sitzung"));
    EXPECT_FALSE(second->modified()) << "the same value again is no change";
    EXPECT_EQ(second->worksheet(0).appendRow(std::vector<CellValue>{1.0}), 2u)
        << "a row appended without cells is not in the file";
}

TEST_F(WorkbookFile, ReopenReadsAFileChangedByAnotherProgram) {
    const std::string other = dir_.path("other.xls");
    std::filesystem::copy_file(path_, other);
    spreadsheet::WorkbookHandle elsewhere = openWorkbook(other);
    elsewhere->worksheet(0).setCell(1, 1, std::string("von aussen"));
    elsewhere.close();
    const std::vector<std::uint8_t> outside = test::readBytes(other);

    spreadsheet::WorkbookHandle first = openWorkbook(path_);
    first->worksheet(0).setCell(1, 1, std::string("von innen!"));
    first.close();
    EXPECT_EQ(test::readBytes(path_).size(), outside.size()) << "the same size on purpose";
    std::filesystem::rename(other, path_);
    EXPECT_EQ(openWorkbook(path_)->worksheet(0).cell(1, 1),
              CellValue(std::string("von aussen")));

    test::writeBytes(path_, original_);
    EXPECT_EQ(openWorkbook(path_)->worksheet(0).cell(1, 1), CellValue(Empty{}));
}

TEST_F(WorkbookFile, MissingFileAndClosedHandle) {
    EXPECT_EQ(errorNumber([&] { openWorkbook(dir_.path("fehlt.xls")); }), err::kFileNotFound);
    spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
    workbook.close();
    EXPECT_EQ(errorNumber([&] { workbook.workbook(); }), err::kObjectClosed);
}

}  // namespace
}  // namespace glossel::xls
