// The aggregate store through the multimedia file functions, on containers built by the tests'
// own writer.
#include "aggregate_builder.h"
#include "framework/resources/aggregate_store.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

namespace q71 {
namespace {

using test::AggregateBuilder;

class AggregateStore : public ::testing::Test {
protected:
    void SetUp() override {
        aggSetOpenMode(0);
        aggInstall();
    }
    void TearDown() override { aggRemove(); }

    std::string container(AggregateBuilder& builder, const std::string& file = "sounds.agg") {
        dir.write(file, builder.bytes());
        return dir.file(file);
    }

    // The whole member, or "<none>" when it cannot be opened.
    static std::string readAll(const std::string& name) {
        MmioHandle h = mmioOpen(name, nullptr, MMIO_READ);
        if (h == MmioHandle::none)
            return "<none>";
        std::string all;
        char piece[1000];
        int32_t got;
        while ((got = mmioRead(h, piece, sizeof piece)) > 0)
            all.append(piece, static_cast<size_t>(got));
        EXPECT_EQ(mmioClose(h), 0u);
        return all;
    }

    static void create(const std::string& name, const std::string& data) {
        MmioHandle h = mmioOpen(name, nullptr, MMIO_WRITE | MMIO_CREATE);
        ASSERT_NE(h, MmioHandle::none) << name;
        EXPECT_EQ(mmioWrite(h, data.data(), static_cast<int32_t>(data.size())),
                  static_cast<int32_t>(data.size()));
        EXPECT_EQ(mmioClose(h), 0u);
    }

    static bool exists(const std::string& name) {
        return mmioOpen(name, nullptr, MMIO_EXIST) != MmioHandle::none;
    }

    // Shuts the store down and starts it again, so that containers are read afresh from disk.
    static void restart() {
        aggRemove();
        aggInstall();
    }

    test::TempDir dir;
};

TEST_F(AggregateStore, ReadsMembersByNameIgnoringCase) {
    AggregateBuilder b;
    b.member("Ping.wav", "ping-bytes").member("sonar\\Echo.wav", "echo-bytes");
    std::string path = container(b);
    EXPECT_EQ(readAll(path + "+PING.WAV"), "ping-bytes");
    EXPECT_EQ(readAll(path + "+sonar/echo.wav"), "echo-bytes");
    EXPECT_EQ(readAll(path + "+\\+sonar\\\\ECHO.wav"), "echo-bytes");
    EXPECT_EQ(readAll(dir.path().string() + "//SOUNDS.AGG+ping.wav"), "ping-bytes");
}

TEST_F(AggregateStore, ReadsAndSeeksAcrossBlocks) {
    std::string data;
    for (int i = 0; i < 10000; ++i)
        data.push_back(static_cast<char>('a' + i % 26));
    AggregateBuilder b;
    b.member("long.dat", data, 3000);
    std::string name = container(b) + "+long.dat";
    EXPECT_EQ(readAll(name), data);

    MmioHandle h = mmioOpen(name, nullptr, MMIO_READ);
    ASSERT_NE(h, MmioHandle::none);
    char piece[8] = {};
    EXPECT_EQ(mmioSeek(h, 2998, SEEK_SET), 2998);
    EXPECT_EQ(mmioRead(h, piece, 5), 5);
    EXPECT_EQ(std::string(piece, 5), data.substr(2998, 5));
    EXPECT_EQ(mmioSeek(h, -4, SEEK_END), 9996);
    EXPECT_EQ(mmioRead(h, piece, 8), 4);
    EXPECT_EQ(mmioSeek(h, -20000, SEEK_CUR), 0);
    EXPECT_EQ(mmioSeek(h, 0, SEEK_END), 10000);
    EXPECT_EQ(mmioRead(h, piece, 8), 0);
    EXPECT_EQ(mmioClose(h), 0u);
    EXPECT_EQ(mmioClose(h), MMIOERR_INVALIDFILE); // the handle is gone
}

TEST_F(AggregateStore, MissingMembersAndContainersFailToOpen) {
    AggregateBuilder b;
    b.member("a.wav", "a");
    std::string path = container(b);
    MmioInfo info;
    EXPECT_EQ(mmioOpen(path + "+b.wav", &info, MMIO_READ), MmioHandle::none);
    EXPECT_EQ(info.errorResult, MMIOERR_CANNOTOPEN);
    EXPECT_EQ(mmioOpen(dir.file("none.agg") + "+a.wav", &info, MMIO_READ), MmioHandle::none);
    EXPECT_EQ(info.errorResult, MMIOERR_CANNOTOPEN);
    EXPECT_TRUE(exists(path + "+A.WAV"));
    EXPECT_FALSE(exists(path + "+b.wav"));
    EXPECT_FALSE(exists(dir.file("none.agg") + "+a.wav"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("none.agg")));
}

TEST_F(AggregateStore, ReadOnlyContainersRefuseCreatingAndWriting) {
    AggregateBuilder b;
    b.member("a.wav", "a");
    std::string path = container(b);
    std::string before = test::readFile(path);
    MmioInfo info;
    EXPECT_EQ(mmioOpen(path + "+a.wav", &info, MMIO_WRITE), MmioHandle::none);
    EXPECT_EQ(info.errorResult, MMIOERR_CANNOTOPEN);
    EXPECT_EQ(mmioOpen(path + "+new.wav", &info, MMIO_READ | MMIO_CREATE), MmioHandle::none);
    EXPECT_EQ(info.errorResult, MMIOERR_CANNOTOPEN);
    EXPECT_EQ(mmioOpen(path + "+a.wav", &info, MMIO_DELETE), MmioHandle::none);
    MmioHandle h = mmioOpen(path + "+a.wav", nullptr, MMIO_READ);
    EXPECT_EQ(mmioWrite(h, "x", 1), -1);
    mmioClose(h);
    restart();
    EXPECT_EQ(test::readFile(path), before);
}

TEST_F(AggregateStore, WritingTenBytesTakesOneBlockOf4000) {
    aggSetOpenMode(1);
    AggregateBuilder b;
    b.member("a.wav", "a").directoryCapacity(1000);
    std::string path = container(b);
    auto size = std::filesystem::file_size(path);
    create(path + "+ten.txt", "0123456789");
    EXPECT_EQ(std::filesystem::file_size(path), size + 12 + 4000);
    aggSetOpenMode(0);
    restart();
    EXPECT_EQ(readAll(path + "+TEN.txt"), "0123456789");
    EXPECT_EQ(readAll(path + "+a.wav"), "a");
}

TEST_F(AggregateStore, NewContainersAndLargeMembersRoundTrip) {
    aggSetOpenMode(1);
    std::string path = dir.file("made.agg");
    std::string big(70000, 'q');
    big[12345] = '!';
    create(path + "+big.bin", big);
    create(path + "+small.bin", "s");
    restart();
    aggSetOpenMode(0);
    EXPECT_EQ(readAll(path + "+big.bin"), big);
    EXPECT_EQ(readAll(path + "+small.bin"), "s");
}

TEST_F(AggregateStore, DirectoryStaysSorted) {
    aggSetOpenMode(1);
    AggregateBuilder b;
    b.member("m", "m");
    std::string path = container(b);
    for (const char* name : {"b", "A", "c", "Z9"})
        create(path + "+" + name, name);
    restart();
    EXPECT_EQ(test::directoryNames(test::readFile(path)),
              (std::vector<std::string>{"A", "b", "c", "m", "Z9"}));
}

TEST_F(AggregateStore, CreatingAnExistingMemberEmptiesIt) {
    aggSetOpenMode(1);
    AggregateBuilder b;
    b.member("a", std::string(9000, 'x'), 3000);
    std::string path = container(b);
    create(path + "+a", "xy");
    restart();
    EXPECT_EQ(readAll(path + "+a"), "xy");
}

TEST_F(AggregateStore, WritesOverwriteInPlaceAndNeverLeaveHoles) {
    aggSetOpenMode(1);
    AggregateBuilder b;
    b.member("a", "abcdefghij", 4);
    std::string name = container(b) + "+a";
    MmioHandle h = mmioOpen(name, nullptr, MMIO_READWRITE);
    ASSERT_NE(h, MmioHandle::none);
    EXPECT_EQ(mmioSeek(h, 3, SEEK_SET), 3);
    EXPECT_EQ(mmioWrite(h, "XYZ", 3), 3);
    EXPECT_EQ(mmioSeek(h, 0, SEEK_END), 10);
    EXPECT_EQ(mmioWrite(h, "+", 1), 1);
    EXPECT_EQ(mmioSeek(h, 5, SEEK_END), 16);
    EXPECT_EQ(mmioWrite(h, "?", 1), -1);
    mmioClose(h);
    restart();
    EXPECT_EQ(readAll(name), "abcXYZghij+");
}

TEST_F(AggregateStore, DeletingAnOpenMemberDoesNothing) {
    aggSetOpenMode(1);
    AggregateBuilder b;
    b.member("a", "aaa").member("b", "bbb");
    std::string path = container(b);
    MmioHandle h = mmioOpen(path + "+a", nullptr, MMIO_READ);
    EXPECT_EQ(mmioOpen(path + "+a", nullptr, MMIO_DELETE), MmioHandle::none);
    EXPECT_TRUE(exists(path + "+a"));
    mmioClose(h);
    EXPECT_EQ(mmioOpen(path + "+a", nullptr, MMIO_DELETE), MmioHandle{1});
    EXPECT_FALSE(exists(path + "+a"));
    restart();
    EXPECT_FALSE(exists(path + "+a"));
    EXPECT_EQ(readAll(path + "+b"), "bbb");
}

TEST_F(AggregateStore, FreedBlocksAreReusedBeforeTheFileGrows) {
    aggSetOpenMode(1);
    AggregateBuilder b;
    b.member("old", std::string(5000, 'o')).freeBlock(100);
    std::string path = container(b);
    ASSERT_EQ(mmioOpen(path + "+old", nullptr, MMIO_DELETE), MmioHandle{1});
    auto size = std::filesystem::file_size(path);
    create(path + "+new", std::string(3000, 'n') + std::string(2100, 'N'));
    EXPECT_EQ(std::filesystem::file_size(path), size);
    restart();
    EXPECT_EQ(readAll(path + "+new"), std::string(3000, 'n') + std::string(2100, 'N'));
    EXPECT_EQ(test::directoryNames(test::readFile(path)), std::vector<std::string>{"new"});
}

TEST_F(AggregateStore, RenameMovesTheMemberAndIsKept) {
    AggregateBuilder b;
    b.member("old.wav", "data").member("other.wav", "other");
    std::string path = container(b);
    EXPECT_EQ(readAll(path + "+old.wav"), "data"); // the container is first opened read only
    EXPECT_EQ(mmioRename(path + "+old.wav", path + "+a_new.wav"), 0u);
    EXPECT_FALSE(exists(path + "+old.wav"));
    EXPECT_EQ(mmioRename(path + "+a_new.wav", "A_NEW.wav"), 0u); // a change of case, in the same container
    EXPECT_EQ(mmioRename(path + "+A_NEW.wav", path + "+other.wav"), MMIOERR_FILENOTFOUND);
    EXPECT_EQ(mmioRename(path + "+A_NEW.wav", dir.file("x.agg") + "+y.wav"), MMIOERR_FILENOTFOUND);
    EXPECT_EQ(mmioRename(path + "+missing.wav", path + "+z.wav"), MMIOERR_FILENOTFOUND);
    restart();
    EXPECT_EQ(test::directoryNames(test::readFile(path)),
              (std::vector<std::string>{"A_NEW.wav", "other.wav"}));
    EXPECT_EQ(readAll(path + "+a_new.wav"), "data");
}

TEST_F(AggregateStore, DamagedContainersCannotBeOpened) {
    AggregateBuilder b;
    b.member("a", "aaaa").member("b", "bbbbbbbb", 4);
    std::string good = b.bytes();
    auto expectRefused = [this](std::string bytes, const char* what) {
        dir.write("bad.agg", bytes);
        restart();
        EXPECT_EQ(readAll(dir.file("bad.agg") + "+b"), "<none>") << what;
    };
    std::string bytes = good;
    bytes[10] = 'W';
    expectRefused(bytes, "signature");
    expectRefused(good.substr(0, 20), "short header");
    bytes = good;
    test::poke32(bytes, b.directoryBlock() + 12, 1000); // member count past the end
    expectRefused(bytes, "count");
    bytes = good;
    bytes[bytes.size() - 1] = 'x'; // the last name loses its terminator
    expectRefused(bytes, "terminator");
    bytes = good;
    test::poke32(bytes, b.memberBlock(1), b.memberBlock(1)); // the chain comes back on itself
    expectRefused(bytes, "cycle");
    bytes = good;
    test::poke32(bytes, b.memberBlock(1) + 8, 1u << 30); // capacity past the end of the file
    expectRefused(bytes, "capacity");
    bytes = good;
    test::poke32(bytes, b.memberBlock(1) + 4, 5); // more used than the block holds
    expectRefused(bytes, "used");
    bytes = good;
    test::poke32(bytes, 24, 3); // directory inside the header
    expectRefused(bytes, "directory offset");
}

TEST_F(AggregateStore, ShutdownWaitsForOpenMembers) {
    aggSetOpenMode(1);
    AggregateBuilder b;
    b.member("a", "aaa");
    std::string path = container(b);
    MmioHandle h = mmioOpen(path + "+a", nullptr, MMIO_READWRITE);
    ASSERT_NE(h, MmioHandle::none);
    aggRemove();
    EXPECT_EQ(mmioWrite(h, "A", 1), 1); // still served
    EXPECT_EQ(mmioClose(h), 0u);        // the last member: the store closes
    EXPECT_EQ(readAll(path + "+a"), "<none>");
    aggInstall();
    EXPECT_EQ(readAll(path + "+a"), "Aaa");

    h = mmioOpen(path + "+a", nullptr, MMIO_READ);
    aggRemove();
    aggInstall(); // cancels the shutdown
    mmioClose(h);
    EXPECT_EQ(readAll(path + "+a"), "Aaa");
}

TEST_F(AggregateStore, ThreadsReadMembersTogether) {
    AggregateBuilder b;
    std::vector<std::string> data;
    for (int i = 0; i < 8; ++i) {
        data.push_back(std::string(20000 + i * 1000, static_cast<char>('a' + i)));
        b.member("m" + std::to_string(i), data.back(), 3000);
    }
    std::string path = container(b);
    std::vector<std::string> read(8);
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            for (int pass = 0; pass < 5; ++pass)
                read[i] = readAll(path + "+m" + std::to_string(i));
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(read, data);
}

} // namespace
} // namespace q71
