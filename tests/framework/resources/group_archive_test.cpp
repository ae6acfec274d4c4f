// Group archives: written by the archive writer, read back by name, synchronously and on worker
// threads, and refused cleanly when damaged.
#include "framework/dibutils/bitmap_bytes.h"
#include "framework/resources/dcl.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/group_archive_writer.h"
#include "platform/files/little_endian.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <random>
#include <thread>

namespace q71 {
namespace {

using namespace std::string_literals;
using Members = std::vector<std::pair<std::string, std::string>>;

std::string noise(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::string s(size, '\0');
    for (char& c : s)
        c = static_cast<char>(random() % 7 == 0 ? random() : 'k');
    return s;
}

class GroupArchive : public ::testing::Test {
protected:
    void SetUp() override { grpReset(); }
    void TearDown() override {
        grpFreeAll();
        grpReset();
    }

    // Writes "<folder>/<group>.grp" and ".ndx" and returns the folder.
    std::string build(const std::string& folder, const std::string& group, const Members& members) {
        std::filesystem::create_directories(dir.path() / folder);
        std::string base = (dir.path() / folder / group).string();
        EXPECT_EQ(grpBuildBegin(base.c_str()), 1);
        for (const auto& [name, data] : members)
            EXPECT_EQ(grpBuildAddMemory(name.c_str(), reinterpret_cast<const uint8_t*>(data.data()),
                                        static_cast<uint32_t>(data.size())),
                      1);
        EXPECT_TRUE(grpBuildEnd());
        return (dir.path() / folder).string();
    }

    // Reads a member of the selected group; "<error N>" when it fails.
    static std::string read(const char* name, bool synchronous = true) {
        ResourceRef ref;
        ref.name = name;
        if (!grpRead(ref, synchronous, true))
            return "<error " + std::to_string(grpGetError()) + ">";
        std::string data(reinterpret_cast<const char*>(ref.data), ref.size);
        grpRefFree(ref);
        return data;
    }

    test::TempDir dir;
    const Members members{
        {"X093Y376.bmp", noise(30000, 1)}, {"scrn24.bmp", noise(5000, 2)}, {"empty.txt", ""}};
};

TEST_F(GroupArchive, MembersComeBackByNameIgnoringCase) {
    grpSetFolder(build("graphics", "tma", members).c_str());
    ASSERT_EQ(grpOpenGroup("TMA"), 1);
    EXPECT_EQ(grpListEntries(), (std::vector<std::string>{"X093Y376.bmp", "scrn24.bmp", "empty.txt"}));
    EXPECT_EQ(read("x093y376.BMP"), members[0].second);
    EXPECT_EQ(read("SCRN24.bmp"), members[1].second);
    EXPECT_EQ(grpGetError(), kGrpOk);
    EXPECT_EQ(read("scrn25.bmp"), "<error 1>");
}

TEST_F(GroupArchive, IndexEntriesPointAtPackedMembers) {
    std::string folder = build("g", "shared", members);
    std::string index = test::readFile(folder + "/shared.ndx");
    std::string group = test::readFile(folder + "/shared.grp");
    ASSERT_EQ(index.size(), 3u * 92u);
    uint32_t offset = 0;
    for (size_t i = 0; i < 3; ++i) {
        const uint8_t* entry = reinterpret_cast<const uint8_t*>(index.data()) + 92 * i;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry)), members[i].first);
        EXPECT_EQ(loadLe32(entry + 80), offset);
        EXPECT_EQ(loadLe32(entry + 84), members[i].second.size());
        uint32_t packed = loadLe32(entry + 88);
        // Binary mode with the 4096-byte dictionary.
        EXPECT_EQ(group[offset], 0);
        EXPECT_EQ(group[offset + 1], 6);
        offset += packed;
    }
    EXPECT_EQ(offset, group.size());
    EXPECT_LT(group.size(), 20000u); // the members were compressed
}

TEST_F(GroupArchive, GroupsOfBothFoldersStayReadable) {
    std::string graphics = build("graphics", "shared", {{"numerals.bmp", "digits"}});
    std::string objects = build("objects", "models", {{"Wheel5b", "wheel"}});
    grpSetFolder(graphics.c_str());
    ASSERT_EQ(grpOpenGroup("shared"), 1);
    grpSetFolder(objects.c_str());
    ASSERT_EQ(grpOpenGroup("models"), 1);
    EXPECT_EQ(read("wheel5b"), "wheel");
    // A loaded group keeps the folder it was loaded from.
    ASSERT_EQ(grpOpenGroup("shared"), 1);
    EXPECT_EQ(read("numerals.bmp"), "digits");
    EXPECT_EQ(grpOpenGroup("none"), 0);
    EXPECT_EQ(read("numerals.bmp"), "digits"); // the selection is unchanged
}

TEST_F(GroupArchive, AKeptSelectionComesBackWithItsFolder) {
    const std::string graphics = build("graphics", "shared", {{"arrowu.bmp", "arrow"}});
    const std::string objects = build("objects", "models", {{"Wheel5b", "wheel"}});
    build("objects", "textures", {{"sea.bmp", "sea"}});
    grpSetFolder(objects.c_str());
    ASSERT_EQ(grpOpenGroup("models"), 1);
    {
        // A widget reads from the graphics' shared group, then gives the selection back.
        const GroupSelectionKept kept;
        grpSetFolder(graphics.c_str());
        ASSERT_EQ(grpOpenGroup("shared"), 1);
        EXPECT_EQ(read("arrowu.bmp"), "arrow");
    }
    EXPECT_EQ(grpSelectedName(), "models");
    EXPECT_EQ(grpFolder(), objects);
    ASSERT_EQ(grpOpenGroup("textures"), 1) << "a group first opened after it is found in the folder set before";
    EXPECT_EQ(read("sea.bmp"), "sea");
}

TEST_F(GroupArchive, AGroupIndexIsReadOnce) {
    std::string folder = build("g", "nav", members);
    grpSetFolder(folder.c_str());
    ASSERT_EQ(grpOpenGroup("nav"), 1);
    std::filesystem::remove(folder + "/nav.ndx");
    EXPECT_EQ(grpOpenGroup("NAV"), 1);
    EXPECT_EQ(grpListEntries().size(), 3u);
}

TEST_F(GroupArchive, ErrorsOfTheReader) {
    EXPECT_EQ(read("a"), "<error 5>");
    EXPECT_EQ(grpWaitAll(), 0);
    EXPECT_EQ(grpGetError(), kGrpNotCounting);
    EXPECT_EQ(grpOpenGroup(nullptr), 0);
    EXPECT_TRUE(grpListEntries().empty());
}

TEST_F(GroupArchive, EmptyMemberNeedsNoMemoryAndIsCompleteAtOnce) {
    grpSetFolder(build("g", "g", members).c_str());
    ASSERT_EQ(grpOpenGroup("g"), 1);
    ResourceRef ref;
    ref.name = "empty.txt";
    ASSERT_TRUE(grpRead(ref, false, true));
    EXPECT_EQ(ref.data, nullptr);
    EXPECT_EQ(ref.size, 0u);
    EXPECT_TRUE(ref.complete());

    grpInitAsync(); // counted too, and the wait does not hang on it
    ResourceRef counted;
    counted.name = "empty.txt";
    ASSERT_TRUE(grpRead(counted, false, true));
    EXPECT_EQ(grpWaitAll(), 1);
}

TEST_F(GroupArchive, BackgroundReadsAreAllCounted) {
    Members many;
    for (int i = 0; i < 150; ++i)
        many.push_back({"m" + std::to_string(i), noise(1000 + 37 * i, i)});
    grpSetFolder(build("g", "sonar", many).c_str());
    ASSERT_EQ(grpOpenGroup("sonar"), 1);
    grpInitAsync();
    EXPECT_TRUE(grpAsyncActive());
    std::vector<ResourceRef> refs(many.size());
    for (size_t i = 0; i < many.size(); ++i) {
        refs[i].name = many[i].first.c_str();
        ASSERT_TRUE(grpRead(refs[i], false, true));
    }
    EXPECT_EQ(grpWaitAll(), 1);
    EXPECT_FALSE(grpAsyncActive());
    for (size_t i = 0; i < many.size(); ++i) {
        EXPECT_TRUE(refs[i].complete());
        EXPECT_EQ(std::string(reinterpret_cast<char*>(refs[i].data), refs[i].size), many[i].second);
        grpRefFree(refs[i]);
    }
}

TEST_F(GroupArchive, FailedBackgroundReadsStillComplete) {
    std::string folder = build("g", "scope", members);
    grpSetFolder(folder.c_str());
    ASSERT_EQ(grpOpenGroup("scope"), 1);
    grpInitAsync();
    ResourceRef good, bad;
    good.name = "scrn24.bmp";
    ASSERT_TRUE(grpRead(good, false, true));
    EXPECT_EQ(grpWaitAll(), 1);
    // The group file goes missing after its index was loaded.
    std::filesystem::rename(folder + "/scope.grp", folder + "/moved.grp");
    grpInitAsync();
    bad.name = "X093Y376.bmp";
    EXPECT_FALSE(grpRead(bad, false, true)); // its size cannot be checked against the group file
    EXPECT_EQ(grpGetError(), kGrpUnreadable);
    std::filesystem::rename(folder + "/moved.grp", folder + "/scope.grp");
    // The first member's stream now claims an unknown dictionary size: it fails on the worker.
    std::string group = test::readFile(folder + "/scope.grp");
    group[1] = 7;
    dir.write("g/scope.grp", group);
    ASSERT_TRUE(grpRead(bad, false, true));
    EXPECT_EQ(grpWaitAll(), 0);
    EXPECT_EQ(grpGetError(), kGrpUnreadable);
    EXPECT_FALSE(bad.complete());
    grpRefFree(good);
    grpRefFree(bad);
}

TEST_F(GroupArchive, ABatchStartedInsideAnotherJoinsIt) {
    grpSetFolder(build("g", "nest", members).c_str());
    ASSERT_EQ(grpOpenGroup("nest"), 1);
    ResourceRef outer, inner;
    outer.name = "X093Y376.bmp";
    inner.name = "scrn24.bmp";
    grpInitAsync();
    ASSERT_TRUE(grpRead(outer, false, true));
    grpInitAsync();
    ASSERT_TRUE(grpRead(inner, false, true));
    EXPECT_EQ(grpWaitAll(), 1);
    EXPECT_TRUE(outer.complete()) << "the inner wait waits for the outer batch's read too";
    EXPECT_TRUE(inner.complete());
    EXPECT_TRUE(grpAsyncActive()) << "the outer batch still counts";
    EXPECT_EQ(grpWaitAll(), 1);
    EXPECT_FALSE(grpAsyncActive());
    EXPECT_EQ(grpWaitAll(), 0);
    EXPECT_EQ(grpGetError(), kGrpNotCounting);
    grpRefFree(outer);
    grpRefFree(inner);
}

// Members big enough that their reads are still running when they are let go of.
Members bigMembers(int count) {
    Members big;
    for (int i = 0; i < count; ++i)
        big.push_back({"big" + std::to_string(i), noise(200000 + 1000 * i, 100 + i)});
    return big;
}

TEST_F(GroupArchive, RefsFreedWhileTheirReadsRunAreNeverWrittenAgain) {
    const Members big = bigMembers(24);
    grpSetFolder(build("g", "big", big).c_str());
    ASSERT_EQ(grpOpenGroup("big"), 1);
    for (int round = 0; round < 4; ++round) {
        std::vector<ResourceRef> refs(big.size());
        for (size_t i = 0; i < big.size(); ++i) {
            refs[i].name = big[i].first.c_str();
            ASSERT_TRUE(grpRead(refs[i], false, true));
        }
        // Freed in an order of their own while the workers write: the sanitizers see any late write.
        for (size_t i = 0; i < refs.size(); ++i)
            grpRefFree(refs[(i * 7) % refs.size()]);
        for (const ResourceRef& ref : refs) {
            EXPECT_EQ(ref.data, nullptr);
            EXPECT_EQ(ref.delivered.load(), 0u);
        }
    }
    // A counted batch whose refs go early still ends.
    grpInitAsync();
    ResourceRef early;
    early.name = big[0].first.c_str();
    ASSERT_TRUE(grpRead(early, false, true));
    grpRefFree(early);
    EXPECT_EQ(grpWaitAll(), 0) << "a cancelled read has not read its member";
}

TEST_F(GroupArchive, ClosingTheGroupsStopsTheirReadsBeforeAnyBlockGoes) {
    const Members big = bigMembers(8);
    grpSetFolder(build("g", "close", big).c_str());
    ASSERT_EQ(grpOpenGroup("close"), 1);
    std::vector<ResourceRef> refs(big.size());
    for (size_t i = 0; i < big.size(); ++i) {
        refs[i].name = big[i].first.c_str();
        ASSERT_TRUE(grpRead(refs[i], false, true));
    }
    grpFreeAll();
    // Whatever arrived stays as it arrived: no worker writes after the close.
    std::vector<uint32_t> arrived;
    for (const ResourceRef& ref : refs)
        arrived.push_back(ref.delivered.load());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (size_t i = 0; i < refs.size(); ++i) {
        EXPECT_EQ(refs[i].delivered.load(), arrived[i]);
        if (refs[i].complete()) {
            EXPECT_EQ(std::string(reinterpret_cast<char*>(refs[i].data), refs[i].size), big[i].second);
        }
        grpRefFree(refs[i]);
    }
}

struct Completion {
    std::mutex lock;
    std::condition_variable changed;
    int calls = 0;
    static void callback(void* self) {
        auto& c = *static_cast<Completion*>(self);
        std::lock_guard guard(c.lock);
        ++c.calls;
        c.changed.notify_all();
    }
};

TEST_F(GroupArchive, CallbackEndsABackgroundRead) {
    grpSetFolder(build("g", "tex", members).c_str());
    ASSERT_EQ(grpOpenGroup("tex"), 1);
    Completion completion;
    uint8_t* data = nullptr;
    std::atomic<uint32_t> delivered{0};
    uint32_t size = 0;
    ASSERT_EQ(
        grpReadEntry("scrn24.bmp", &data, &delivered, &size, false, true, Completion::callback, &completion),
        1);
    std::unique_lock guard(completion.lock);
    ASSERT_TRUE(
        completion.changed.wait_for(guard, std::chrono::seconds(20), [&] { return completion.calls == 1; }));
    EXPECT_EQ(delivered.load(), size);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), members[1].second);
    delete[] data;
}

// Writes an index whose one entry is given field by field, beside a group file of `group`.
void writeDamaged(const test::TempDir& dir, const std::string& name, uint32_t offset, uint32_t size,
                  uint32_t packed, const std::string& group) {
    std::string entry(92, '\0');
    entry.replace(0, name.size(), name);
    for (auto [at, value] : {std::pair{80, offset}, {84, size}, {88, packed}})
        storeLe32(reinterpret_cast<uint8_t*>(entry.data()) + at, value);
    dir.write("bad/bad.ndx", entry);
    dir.write("bad/bad.grp", group);
}

TEST_F(GroupArchive, DamagedArchivesAreRefused) {
    grpSetFolder((dir.path() / "bad").c_str());
    std::string stream = "\x00\x06\x01\xff"s;                 // an empty member
    writeDamaged(dir, std::string(80, 'n'), 0, 0, 4, stream); // name without its terminator
    EXPECT_EQ(grpOpenGroup("bad"), 0);

    writeDamaged(dir, "a", 100, 0, 4, stream); // past the end of the group file
    ASSERT_EQ(grpOpenGroup("bad"), 1);
    EXPECT_EQ(read("a"), "<error 7>");
    grpFreeAll();

    writeDamaged(dir, "a", 0, 0xFFFFFFF0u, 4, stream); // more than four bytes can unpack to
    ASSERT_EQ(grpOpenGroup("bad"), 1);
    EXPECT_EQ(read("a"), "<error 7>");
    grpFreeAll();

    writeDamaged(dir, "a", 0, 100, 4, stream); // the stream gives less than the size
    ASSERT_EQ(grpOpenGroup("bad"), 1);
    EXPECT_EQ(read("a"), "<error 7>");
    grpFreeAll();

    std::string plenty = "\x00\x04\x82\x24\x25\x8F\x80\x7F"s; // 13 bytes
    writeDamaged(dir, "a", 0, 5, 8, plenty);                  // ...or more: never written past the block
    ASSERT_EQ(grpOpenGroup("bad"), 1);
    EXPECT_EQ(read("a"), "<error 7>");
}

TEST_F(GroupArchive, ArchivedBitmapsBecomeDibs) {
    test::BitmapShape shape{.width = 3, .height = 2, .bitCount = 8, .colors = 256};
    grpSetFolder(build("g", "radar", {{"scrn31.bmp", test::bitmapFile(shape, 9)}}).c_str());
    ASSERT_EQ(grpOpenGroup("radar"), 1);
    ResourceRef ref;
    ref.name = "scrn31.bmp";
    ASSERT_TRUE(grpRead(ref, true, true));
    ASSERT_EQ(grpMakeDib(ref), 1);
    EXPECT_EQ(ref.dibHeader.size(), 40u + 1024u);
    EXPECT_EQ(ref.dibBits[0], 9);
    grpRefFree(ref);
    EXPECT_EQ(ref.data, nullptr);
    EXPECT_TRUE(ref.dibBits.empty());
    EXPECT_STREQ(ref.name, "scrn31.bmp");
}

TEST_F(GroupArchive, WriterNamesFileMembersByTheirPath) {
    dir.write("in/a.txt", "file member");
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ASSERT_EQ(grpBuildBegin("out"), 1);
    EXPECT_TRUE(grpBuildAddFile("in/a.txt"));
    EXPECT_FALSE(grpBuildAddFile("in/missing.txt"));
    EXPECT_FALSE(grpBuildAddFile("in"));
    EXPECT_EQ(grpBuildAddMemory(std::string(80, 'x').c_str(), nullptr, 0), 0); // name too long for the index
    EXPECT_TRUE(grpBuildEnd());
    ASSERT_EQ(grpOpenGroup("out"), 1);
    EXPECT_EQ(read("IN/A.TXT"), "file member");
    std::filesystem::current_path(previous);
}

TEST_F(GroupArchive, FoldersArePackedInNameOrder) {
    dir.write("stage/shared/Numerals.bmp", "n");
    dir.write("stage/shared/arrow.bmp", "a");
    dir.write("stage/shared/X093Y376.bmp", "x");
    dir.write("stage/shared/empty.bmp", "");
    std::filesystem::create_directories(dir.path() / "stage/shared/sub"); // folders are not members
    EXPECT_EQ(grpBuildFolder(dir.path() / "stage/shared", dir.file("shared")), "");
    grpSetFolder(dir.path().c_str());
    ASSERT_EQ(grpOpenGroup("shared"), 1);
    EXPECT_EQ(grpListEntries(),
              (std::vector<std::string>{"arrow.bmp", "empty.bmp", "Numerals.bmp", "X093Y376.bmp"}));
    EXPECT_EQ(read("numerals.bmp"), "n");
}

TEST_F(GroupArchive, FoldersWithUnusableNamesAreNotPacked) {
    dir.write("long/" + std::string(80, 'l'), "l");
    EXPECT_NE(grpBuildFolder(dir.path() / "long", dir.file("long")), "");
    dir.write("twice/a.bmp", "1");
    dir.write("twice/A.BMP", "2");
    EXPECT_NE(grpBuildFolder(dir.path() / "twice", dir.file("twice")), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("twice.ndx")));
    EXPECT_NE(grpBuildFolder(dir.path() / "none", dir.file("none")), "");
}

TEST(GroupPaths, MakePathJoinsFolderAndName) {
    EXPECT_EQ(makePath("graphics", "shared.grp"), "graphics\\shared.grp");
    EXPECT_EQ(makePath("graphics", "c:\\x"), "c:\\x");
    EXPECT_EQ(makePath("graphics", "\\x"), "\\x");
    EXPECT_EQ(makePath("", "x"), "x");
    EXPECT_EQ(makePath("graphics", ""), "graphics");
    EXPECT_EQ(makePath("", ""), "");
}

} // namespace
} // namespace q71
