#include "framework/resources/record_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace q71 {
namespace {

TEST(RecordFileOpening, MustExistOnAMissingFileCreatesNothing) {
    test::TempDir dir;
    RecordFile f(dir.file("player.db"), false, true, false);
    EXPECT_FALSE(f.isOpen());
    EXPECT_FALSE(std::filesystem::exists(dir.file("player.db")));
}

TEST(RecordFileOpening, AMissingFileIsCreatedEmptyAndOpenedForUpdate) {
    test::TempDir dir;
    RecordFile f(dir.file("options.db"), false, false, false);
    ASSERT_TRUE(f.isOpen());
    EXPECT_TRUE(std::filesystem::exists(dir.file("options.db")));
    char c;
    EXPECT_EQ(f.read(&c, 1), 0);
    EXPECT_EQ(f.write("abcd", 4), 1);
    f.close();
    EXPECT_EQ(test::readFile(dir.file("options.db")), "abcd");
}

TEST(RecordFileOpening, TruncateEmptiesTheFile) {
    test::TempDir dir;
    std::string path = dir.write("replay.log", "old contents");
    RecordFile f(path, true, false, false);
    ASSERT_TRUE(f.isOpen());
    EXPECT_EQ(f.tell(), 0);
    f.close();
    EXPECT_EQ(test::readFile(path), "");
}

TEST(RecordFileOpening, AFileThatCannotBeWrittenFallsBackToReading) {
    test::TempDir dir;
    std::string path = dir.write("ro.db", "1234");
    if (::geteuid() == 0) {
        // Permissions do not bind the superuser; a folder cannot be opened for update either.
        path = dir.file("folder.db");
        std::filesystem::create_directory(path);
    } else {
        ::chmod(path.c_str(), 0444);
    }
    RecordFile f(path, false, true, false);
    ASSERT_TRUE(f.isOpen());
    EXPECT_EQ(f.write("x", 1), 0);
}

TEST(RecordFileOpening, FailIfCannotCreateInAMissingFolder) {
    test::TempDir dir;
    RecordFile f(dir.file("no/such/folder/file.db"), false, false, true);
    EXPECT_FALSE(f.isOpen());
}

TEST(RecordFileBlocks, ReadsAndWritesWholeBlocksOnly) {
    test::TempDir dir;
    std::string path = dir.write("r.db", "0123456789");
    RecordFile f(path, false, true, false);
    char block[4] = {};
    EXPECT_EQ(f.read(block, 4), 1);
    EXPECT_EQ(std::string(block, 4), "0123");
    EXPECT_EQ(f.read(block, 8), 0) << "only six bytes are left";
    EXPECT_EQ(f.read(block, 1), 0) << "at the end nothing more is read";
    EXPECT_EQ(f.read(nullptr, 4), 0);
    EXPECT_EQ(f.read(block, 0), 0);
    EXPECT_EQ(f.write(nullptr, 1), 0);
}

TEST(RecordFileBlocks, SwitchingWithoutASeekRepositionsAtTheStart) {
    test::TempDir dir;
    std::string path = dir.write("r.db", "AAAABBBB");
    RecordFile f(path, false, true, false);
    f.seek(4);
    EXPECT_EQ(f.write("CC", 2), 1);
    char block[4];
    EXPECT_EQ(f.read(block, 4), 1) << "the read after a write starts at offset 0";
    EXPECT_EQ(std::string(block, 4), "AAAA");
    EXPECT_EQ(f.write("DD", 2), 1) << "the write after a read lands at offset 0";
    f.close();
    EXPECT_EQ(test::readFile(path), "DDAACCBB");
}

TEST(RecordFileBlocks, ExplicitSeeksClearTheSwitchRule) {
    test::TempDir dir;
    std::string path = dir.write("r.db", "AAAABBBB");
    RecordFile f(path, false, true, false);
    char block[4];
    EXPECT_EQ(f.read(block, 4), 1);
    f.seekEnd();
    EXPECT_EQ(f.tell(), 8);
    EXPECT_EQ(f.write("CC", 2), 1);
    f.rewind();
    EXPECT_EQ(f.write("ZZ", 2), 1);
    f.seek(2);
    EXPECT_EQ(f.read(block, 4), 1);
    EXPECT_EQ(std::string(block, 4), "AABB");
    f.close();
    EXPECT_EQ(test::readFile(path), "ZZAABBBBCC");
    EXPECT_EQ(f.tell(), 0);
}

} // namespace
} // namespace q71
