// The replacement of the project under writes that fail after every number of pages: afterwards
// the project is the old one or the whole new one, never a mix, and no temporary file is left.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/jet/JetDatabase.h"
#include "tests/TestFiles.h"
#include "tests/transfer/ImportTestSupport.h"
#include "transfer/ExchangeTexts.h"
#include "transfer/ImportPlan.h"
#include "transfer/ProjectReplacement.h"

namespace glossel::transfer::test {
namespace {

namespace fs = std::filesystem;
constexpr std::size_t kPageSize = 4096;

// A store whose writes stop after a number of pages, as on a full disk: the write that reaches
// past it writes the pages up to the limit and fails.
class FailAfterPages : public jet::PageStore {
public:
    FailAfterPages(std::unique_ptr<jet::PageStore> inner, std::size_t pages)
        : inner_(std::move(inner)), pagesLeft_(pages) {}

    std::uint64_t size() const override { return inner_->size(); }
    void read(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        inner_->read(offset, out);
    }
    bool writable() const override { return true; }
    void write(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
        const std::size_t pages = (bytes.size() + kPageSize - 1) / kPageSize;
        if (pages <= pagesLeft_) {
            pagesLeft_ -= pages;
            inner_->write(offset, bytes);
            return;
        }
        if (pagesLeft_ > 0) {
            inner_->write(offset, bytes.first(pagesLeft_ * kPageSize));
            pagesLeft_ = 0;
        }
        failed_ = true;
        throw Error(err::kDiskIo, "Schreibfehler (Test): der Datenträger ist voll.");
    }
    void truncate(std::uint64_t length) override { inner_->truncate(length); }
    void sync() override { inner_->sync(); }

    bool failed() const { return failed_; }

private:
    std::unique_ptr<jet::PageStore> inner_;
    std::size_t pagesLeft_;
    bool failed_ = false;
};

class ProjectReplacement : public ImportFixture {
protected:
    ImportPlan plan(const std::string& file, const std::vector<std::int32_t>& lcids) {
        const auto project = jet::JetDatabase::open(project_);
        return planImport(*project, readExchangeTexts(file, lcids), lcids, {});
    }
};

TEST_F(ProjectReplacement, WritesFailingAfterAnyNumberOfPagesLeaveTheOldProjectOrTheNewOne) {
    const std::string file = exportTo("Texte.mdb", {1049});
    {
        dao::Database database = dao::DBEngine().OpenDatabase(file);
        dao::TableDef table = database.TableDefs().Item("TidxTexts");
        table.Fields().Append(table.CreateField("L1045", 10, 255));
        database.Close();
    }
    std::map<std::int64_t, std::map<std::string, Variant>> edits;
    for (const auto& [id, text] : columnById(file, "L1049")) {
        edits[id] = {{"L1049", std::string("Новый текст номер ") + std::to_string(id)},
                     {"L1045", std::string(200, 'p')}};
    }
    editExchange(file, edits);
    const ImportPlan changes = plan(file, {1049, 1045});
    ASSERT_EQ(changes.rows.size(), 27u);

    const auto oldBytes = glossel::test::readBytes(project_);
    replaceProject(project_, changes);
    const auto newBytes = glossel::test::readBytes(project_);
    ASSERT_NE(newBytes, oldBytes);

    std::size_t failures = 0;
    for (std::size_t pages = 0;; ++pages) {
        fs::remove(backupPath(project_));
        glossel::test::writeBytes(project_, oldBytes);
        bool failed = false;
        try {
            replaceProject(project_, changes, [&](std::unique_ptr<jet::PageStore> store) {
                return std::make_unique<FailAfterPages>(std::move(store), pages);
            });
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), err::kDiskIo);
            failed = true;
        }
        const DirectorySnapshot files = snapshot();
        if (failed) {
            ++failures;
            EXPECT_EQ(files, (DirectorySnapshot{{"Demo.tvs", oldBytes}})) << pages << " pages";
            continue;
        }
        EXPECT_EQ(files, (DirectorySnapshot{{"Demo.tvs", newBytes}, {"Demo.tvs.bak", oldBytes}}))
            << pages << " pages";
        break;
    }
    EXPECT_GT(failures, 3u);
}

}  // namespace
}  // namespace glossel::transfer::test
