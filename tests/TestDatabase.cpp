// Test helpers for database work.
#include "tests/TestDatabase.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/jet/DataPage.h"
#include "platform/jet/JetDatabase.h"
#include "tests/TestFiles.h"

namespace glossel::test {

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

Error errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised";
    return Error(0, "");
}

int movedRowSlots(const std::string& path, const std::string& table) {
    constexpr std::size_t kPageSize = 4096;
    const std::uint32_t owner = jet::JetDatabase::open(path)->table(table)->definitionPage;
    const auto bytes = readBytes(path);
    auto u16 = [&](std::size_t at) { return bytes[at] | bytes[at + 1] << 8; };
    int moved = 0;
    for (std::size_t page = 0; page + kPageSize <= bytes.size(); page += kPageSize) {
        const std::uint32_t pageOwner = static_cast<std::uint32_t>(
            bytes[page + 4] | bytes[page + 5] << 8 | bytes[page + 6] << 16 | bytes[page + 7] << 24);
        if (bytes[page] != 0x01 || pageOwner != owner) {
            continue;
        }
        for (int slot = 0; slot < u16(page + 12); ++slot) {
            const int flags = u16(page + 14 + 2 * static_cast<std::size_t>(slot)) & 0xC000;
            moved += flags == 0x4000 || flags == 0x8000 ? 1 : 0;
        }
    }
    return moved;
}

GlobalMapFaults globalMapFaults(const std::string& path, std::uint32_t from) {
    const auto database = jet::JetDatabase::open(path);
    const jet::PageChannel& channel = database->channel();
    const jet::PageBuffer buffer = channel.page(1);
    const jet::ByteView map = jet::DataPage(channel.view(buffer, 1, {}), channel.format()).row(0);
    EXPECT_EQ(map.u8(0), 0) << "an inline map";
    EXPECT_EQ(map.u32(1), 0u) << "a window from page 0";
    const auto free = [&](std::uint32_t page) {
        return (map.u8(5 + page / 8) >> (page % 8) & 1) != 0;
    };
    GlobalMapFaults faults;
    const auto covered = static_cast<std::uint32_t>((map.size() - 5) * 8);
    for (std::uint32_t page = from; page < covered; ++page) {
        if (page < channel.pageCount() && free(page)) {
            faults.freeButInFile.push_back(page);
        } else if (page >= channel.pageCount() && !free(page)) {
            faults.usedAfterTheEnd.push_back(page);
        }
    }
    return faults;
}

std::vector<int> idsAsMdbtoolsReadsThem(const std::string& path, const std::string& table) {
    // Texts may hold line breaks: rows end with a delimiter no text has.
    constexpr char kRowEnd[] = "<ROW-END>";
    FILE* pipe = ::popen(
        ("mdb-export -H -R '" + std::string(kRowEnd) + "' '" + path + "' '" + table + "'").c_str(),
        "r");
    std::string output;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) {
        output += buffer;
    }
    if (pipe) {
        ::pclose(pipe);
    }
    std::vector<int> ids;
    for (std::size_t row = 0; row < output.size();) {
        const std::size_t end = output.find(kRowEnd, row);
        ids.push_back(std::atoi(output.c_str() + row));
        row = end == std::string::npos ? output.size() : end + sizeof kRowEnd - 1;
    }
    return ids;
}

Rows readRows(const std::string& path, const std::string& table, const std::string& connect) {
    auto database = dao::DBEngine().OpenDatabase(path, false, connect);
    auto records = database.OpenRecordset(table);
    Rows rows;
    for (; !records.Eof(); records.MoveNext()) {
        std::vector<Variant> row;
        for (const auto& field : records.Fields()) {
            row.push_back(field.Value());
        }
        rows.push_back(std::move(row));
    }
    records.Close();
    database.Close();
    return rows;
}

}  // namespace glossel::test
