// File's reads and writes: whole even when a signal interrupts the call, and a read past the end
// reported as such rather than as a short read.
#include "platform/files/File.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <chrono>
#include <csignal>
#include <thread>

#include "platform/files/SystemErrorText.h"
#include "tests/TestFiles.h"

namespace glossel::files {
namespace {

void ignoreSignal(int) {}

// Delivers SIGALRM every millisecond while it lives, with a handler that does not restart
// interrupted calls, so that a blocking call meets EINTR.
class InterruptingTimer {
public:
    InterruptingTimer() {
        struct sigaction action {};
        action.sa_handler = ignoreSignal;
        ::sigaction(SIGALRM, &action, &previous_);
        const itimerval every{{0, 1000}, {0, 1000}};
        ::setitimer(ITIMER_REAL, &every, nullptr);
    }
    ~InterruptingTimer() {
        const itimerval off{};
        ::setitimer(ITIMER_REAL, &off, nullptr);
        ::sigaction(SIGALRM, &previous_, nullptr);
    }

private:
    struct sigaction previous_ {};
};

TEST(FileReads, WrittenBytesReadBackAtOffsetsAndToTheEnd) {
    glossel::test::TempDir dir;
    File file;
    ASSERT_EQ(file.open(dir.path("Daten"), Access::createNew), 0);
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6};
    ASSERT_EQ(file.writeAll(bytes), 0);
    ASSERT_EQ(file.writeAt(8, std::vector<std::uint8_t>{9}), 0);

    std::vector<std::uint8_t> middle(3);
    EXPECT_EQ(file.readAt(2, middle), 0);
    EXPECT_EQ(middle, (std::vector<std::uint8_t>{3, 4, 5}));
    std::vector<std::uint8_t> pastTheEnd(4);
    EXPECT_EQ(file.readAt(6, pastTheEnd), kEndOfFile);

    File again;
    ASSERT_EQ(again.open(dir.path("") + "\\Daten", Access::read), 0);
    std::vector<std::uint8_t> all;
    EXPECT_EQ(again.readToEnd(all), 0);
    EXPECT_EQ(all, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 0, 0, 9}));
    EXPECT_EQ(again.open(dir.path("Daten"), Access::createNew), EEXIST);
}

TEST(FileReads, TruncatedFileEndsWhereItWasCutAndReadOnlyFilesAreNotCut) {
    glossel::test::TempDir dir;
    File file;
    ASSERT_EQ(file.open(dir.path("Daten"), Access::createNew), 0);
    ASSERT_EQ(file.writeAll(std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}), 0);
    ASSERT_EQ(file.truncate(4), 0);
    FileInfo info;
    ASSERT_EQ(file.info(info), 0);
    EXPECT_EQ(info.size, 4u);
    std::vector<std::uint8_t> kept(4);
    EXPECT_EQ(file.readAt(0, kept), 0);
    EXPECT_EQ(kept, (std::vector<std::uint8_t>{1, 2, 3, 4}));
    std::vector<std::uint8_t> cut(1);
    EXPECT_EQ(file.readAt(4, cut), kEndOfFile);

    File reader;
    ASSERT_EQ(reader.open(dir.path("Daten"), Access::read), 0);
    EXPECT_NE(reader.truncate(0), 0);
    ASSERT_EQ(reader.info(info), 0);
    EXPECT_EQ(info.size, 4u);
}

TEST(FileReads, InterruptedCallsAreRepeated) {
    glossel::test::TempDir dir;
    const std::string pipe = dir.path("Rohr");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    constexpr std::size_t kSize = 1 << 20;
    std::thread writer([&] {
        sigset_t alarm;
        sigemptyset(&alarm);
        sigaddset(&alarm, SIGALRM);
        ::pthread_sigmask(SIG_BLOCK, &alarm, nullptr);  // the reader is the one interrupted
        File output;
        if (output.open(pipe, Access::readWrite) != 0) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::vector<std::uint8_t> bytes(kSize, 7);
        (void)output.writeAll(bytes);
    });
    File input;
    ASSERT_EQ(input.open(pipe, Access::read), 0);
    std::vector<std::uint8_t> got(kSize);
    int error = 0;
    {
        const InterruptingTimer timer;
        std::size_t total = 0;
        for (std::size_t n = 1; error == 0 && n > 0 && total < kSize; total += n) {
            error = input.readSome(std::span(got).subspan(total), n);
        }
    }
    std::vector<std::uint8_t> rest;  // so that the writer can finish whatever happened above
    (void)input.readToEnd(rest);
    writer.join();
    EXPECT_EQ(error, 0) << systemErrorText(error);
    EXPECT_TRUE(got == std::vector<std::uint8_t>(kSize, 7));
}

}  // namespace
}  // namespace glossel::files
