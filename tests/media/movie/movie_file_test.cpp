#include "framework/resources/aggregate_store.h"
#include "media/movie/movie_file.h"
#include "platform/mmio/mmio.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace q71 {
namespace {

std::string chunk(const std::string& id, const std::string& payload) {
    std::string c = id;
    std::uint32_t size = static_cast<std::uint32_t>(payload.size() + 8);
    for (int i = 0; i < 4; ++i)
        c.push_back(static_cast<char>(size >> (8 * i)));
    return c + payload;
}

std::vector<int> results(const std::string& path) {
    MovieFile file;
    EXPECT_TRUE(file.open(path));
    std::vector<int> r;
    MovieChunk c;
    for (int i = 0; i < 20; ++i) {
        int result = file.readChunk(c);
        r.push_back(result);
        if (result < 0)
            break;
    }
    return r;
}

TEST(MovieFileReading, ChunksReadWithTheirRoles) {
    test::TempDir dir;
    std::string movie = chunk("SCHl", "") + chunk("SCDl", "abc") + chunk("kVGT", "k") + chunk("TGVf", "f") +
                        chunk("MKTf", "3") + chunk("pIQT", "4") + chunk("1SNd", "") + chunk("SCEl", "");
    std::string path = dir.write("Movies/Intro.wve", movie);
    EXPECT_EQ(results(path), (std::vector<int>{0, 2, 1, 1, 1, 1, 2, 3, -1}));

    MovieFile file;
    ASSERT_TRUE(file.open(dir.path().string() + "\\MOVIES\\intro.WVE"));
    EXPECT_TRUE(file.hasSound());
    MovieChunk c;
    file.readChunk(c);
    file.readChunk(c);
    EXPECT_EQ(c.type.role, ChunkRole::AudioBlocks);
    EXPECT_EQ(std::string(c.payload.begin(), c.payload.end()), "abc");
    file.readChunk(c);
    EXPECT_EQ(c.type.kind, FrameKind::Key);
    file.readChunk(c);
    EXPECT_EQ(c.type.kind, FrameKind::Blocks);
    file.readChunk(c);
    EXPECT_EQ(c.type.kind, FrameKind::Transform);
    file.readChunk(c);
    EXPECT_EQ(c.type.kind, FrameKind::Intra);
}

TEST(MovieFileReading, SoundOnlyWhenTheFileStartsWithAnAudioHeader) {
    test::TempDir dir;
    for (const char* id : {"SEAD", "SCHl", "1SNh"}) {
        MovieFile file;
        ASSERT_TRUE(file.open(dir.write(std::string(id) + ".wve", chunk(id, "") + chunk("kVGT", ""))));
        EXPECT_TRUE(file.hasSound()) << id;
    }
    MovieFile silent;
    ASSERT_TRUE(silent.open(dir.write("silent.wve", chunk("kVGT", "") + chunk("SCHl", ""))));
    EXPECT_FALSE(silent.hasSound());
    EXPECT_FALSE(MovieFile().open(dir.file("missing.wve")));
}

TEST(MovieFileReading, UnknownAndDamagedChunksAreErrors) {
    test::TempDir dir;
    // An identifier outside the table: an error, its payload not handed on.
    MovieFile file;
    ASSERT_TRUE(file.open(dir.write("odd.wve", chunk("ABCD", "xyz") + chunk("kVGT", ""))));
    MovieChunk c;
    EXPECT_EQ(file.readChunk(c), kChunkError);
    EXPECT_TRUE(c.payload.empty());

    EXPECT_EQ(results(dir.write("short.wve", chunk("kVGT", "") + "kVG")), (std::vector<int>{1, -2}));
    EXPECT_EQ(results(dir.write("tiny.wve", std::string("kVGT\x04\0\0\0", 8))), (std::vector<int>{-2}));
    EXPECT_EQ(results(dir.write("huge.wve", std::string("kVGT\x08\0\0\x7F", 8))), (std::vector<int>{-2}));
    EXPECT_EQ(results(dir.write("cut.wve", chunk("kVGT", "abcdef").substr(0, 10))), (std::vector<int>{-2}));
    EXPECT_EQ(results(dir.write("empty.wve", "")), (std::vector<int>{-1}));
}

TEST(MovieFileReading, AMovieInsideAContainerReadsAsAFileDoes) {
    test::TempDir dir;
    const std::string movie = chunk("SCHl", "") + chunk("SCDl", std::string(40000, 'a')) + chunk("ABCD", "x") +
                              chunk("kVGT", std::string(70000, 'k')) + chunk("SCEl", "");
    // The container is made through the store itself, then read as the program reads it.
    aggInstall();
    aggSetOpenMode(1);
    const std::string member = dir.path().string() + "/movies.agg+intro.wve";
    MmioHandle out = mmioOpen(member, nullptr, MMIO_CREATE | MMIO_WRITE);
    ASSERT_NE(out, MmioHandle::none);
    ASSERT_EQ(mmioWrite(out, movie.data(), static_cast<int32_t>(movie.size())), static_cast<int32_t>(movie.size()));
    mmioClose(out);
    aggRemove();
    aggSetOpenMode(0);
    aggInstall();
    EXPECT_EQ(results(member), (std::vector<int>{0, 2, -2}));
    MovieFile file;
    ASSERT_TRUE(file.open(member));
    EXPECT_TRUE(file.hasSound());
    MovieChunk c;
    std::vector<int> after;
    for (int result; (result = file.readChunk(c)) != kChunkEndOfFile && after.size() < 10;)
        after.push_back(result);
    EXPECT_EQ(after, (std::vector<int>{0, 2, -2, 1, 3})) << "the reader goes on past an unknown chunk";
    file.close();
    aggRemove();
}

} // namespace
} // namespace q71
