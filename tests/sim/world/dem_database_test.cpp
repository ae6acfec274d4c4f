#include "dem_test_file.h"
#include "sim/world/dem_database.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace q71 {
namespace {

using test::demSquare;
using test::DemTestFile;

// Keeps the bytes alive for as long as the database reads them.
struct MemoryDem {
    std::string bytes;
    std::unique_ptr<DemDatabase> db;
    std::string error;
    explicit MemoryDem(std::string b) : bytes(std::move(b)) {
        db = demOpenStream(fmemopen(bytes.data(), bytes.size(), "rb"), &error);
    }
};

std::vector<int16_t> filled(size_t n, int16_t value) {
    return std::vector<int16_t>(n, value);
}

TEST(DemOpen, ReadsTheHeader) {
    DemTestFile file;
    file.delta = 1;
    file.latOffset = 0.25;
    file.rows = 120;
    file.columns[179] = 7;
    file.weights[3] = 42;
    MemoryDem dem(file.bytes());
    ASSERT_NE(dem.db, nullptr) << dem.error;
    EXPECT_EQ(dem.db->delta, 1u);
    EXPECT_EQ(dem.db->huffman, 0u);
    EXPECT_EQ(dem.db->latOffset, 0.25);
    EXPECT_EQ(dem.db->rowsPerDegree, 120);
    EXPECT_EQ(dem.db->columnsPerDegree[179], 7);
    EXPECT_EQ(dem.db->weights[3], 42u);
    EXPECT_FALSE(dem.db->codeTree.has_value());
    EXPECT_EQ(dem.db->cacheBudget, 50000);
}

TEST(DemOpen, BuildsTheCodeTreeOnlyWithTheHuffmanFlag) {
    DemTestFile file;
    file.huffman = 1;
    file.weights[0] = 1;
    MemoryDem dem(file.bytes());
    ASSERT_NE(dem.db, nullptr);
    ASSERT_TRUE(dem.db->codeTree.has_value());
    EXPECT_EQ(dem.db->codeTree->root, 257);
}

TEST(DemOpen, SignatureMustMatchInAllTwentyFourBytes) {
    std::string bytes = DemTestFile().bytes();
    bytes[20] = 'x'; // after the text, where only NULs may stand
    MemoryDem dem(bytes);
    EXPECT_EQ(dem.db, nullptr);
    EXPECT_NE(dem.error.find("signature"), std::string::npos);
    bytes[20] = '\0';
    bytes[0] = 'd';
    EXPECT_EQ(MemoryDem(bytes).db, nullptr);
}

TEST(DemOpen, ShortHeaderOrIndexFails) {
    std::string bytes = DemTestFile().bytes();
    EXPECT_EQ(MemoryDem(bytes.substr(0, 260660)).db, nullptr);
    EXPECT_EQ(MemoryDem(bytes.substr(0, 100)).db, nullptr);
    EXPECT_NE(MemoryDem(bytes.substr(0, 260661)).db, nullptr);
}

TEST(DemOpen, MissingFileFails) {
    std::string error;
    EXPECT_EQ(demOpenStream(nullptr, &error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(DemTileFetch, DecodesASquareOnceAndCachesIt) {
    DemTestFile file;
    file.columns[40] = 3;
    file.records[demSquare(50, 10)] = DemTestFile::plainRecord({1, 2, 3, 4, 5, 6});
    MemoryDem dem(file.bytes());
    const DemTile* tile = demTileFetch(*dem.db, 50, 10.9);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->latKey, 50);
    EXPECT_EQ(tile->lonKey, 10);
    EXPECT_EQ(tile->rows, 2);
    EXPECT_EQ(tile->columns, 3);
    EXPECT_EQ(tile->at(1, 2), 6);
    EXPECT_EQ(demTileFetch(*dem.db, 50.7, 370), tile); // same whole keys, longitude brought into range
    EXPECT_EQ(dem.db->cache.size(), 1u);
    EXPECT_EQ(dem.db->cachedSamples, 6);
    EXPECT_EQ(demTileFetch(*dem.db, 49, 10), nullptr); // no data
    EXPECT_EQ(demTileFetch(*dem.db, -90, 10), nullptr);
    EXPECT_EQ(demTileFetch(*dem.db, 91, 10), nullptr);
    demCacheClear(*dem.db);
    EXPECT_TRUE(dem.db->cache.empty());
    EXPECT_EQ(dem.db->cachedSamples, 0);
}

TEST(DemTileFetch, HuffmanAndDeltaCodedTiles) {
    DemTestFile file;
    file.huffman = file.delta = 1;
    file.rows = 1;
    file.columns[40] = 3;
    // The weights of the hand-worked tree of the decoder's tests: 0x64 "1110", 0x00 "0",
    // 0x05 "10", 0x45 "110", end "1111".
    file.weights[0x00] = 5;
    file.weights[0x05] = 3;
    file.weights[0x45] = 2;
    file.weights[0x64] = 1;
    file.records[demSquare(50, 10)] = DemTestFile::record("\xE5\xBF");
    MemoryDem dem(file.bytes());
    const DemTile* tile = demTileFetch(*dem.db, 50, 10);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->samples, (std::vector<int16_t>{100, 105, 99}));
}

TEST(DemTileFetch, WesternLongitudesUseTheLastColumns) {
    DemTestFile file;
    file.records[demSquare(1, 359)] = DemTestFile::plainRecord({7, 7, 7, 7});
    MemoryDem dem(file.bytes());
    const DemTile* tile = demTileFetch(*dem.db, 1, -1);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->lonKey, -1);
    EXPECT_EQ(demTileFetch(*dem.db, 1, 359), tile);
    EXPECT_EQ(demTileFetch(*dem.db, 1, -361), tile);
}

TEST(DemTileFetch, FourthTileEvictsTheLeastRecentlyUsed) {
    DemTestFile file;
    file.rows = 120;
    for (uint8_t& c : file.columns)
        c = 120;
    for (int west = 0; west < 4; ++west)
        file.records[demSquare(10, west)] =
            DemTestFile::plainRecord(filled(14400, static_cast<int16_t>(west)));
    MemoryDem dem(file.bytes());
    DemDatabase& db = *dem.db;
    ASSERT_NE(demTileFetch(db, 10, 0), nullptr);
    ASSERT_NE(demTileFetch(db, 10, 1), nullptr);
    ASSERT_NE(demTileFetch(db, 10, 2), nullptr);
    demTileFetch(db, 10, 0); // touched: now the most recently used
    EXPECT_EQ(db.cache.front().lonKey, 0);
    EXPECT_EQ(db.cachedSamples, 43200);
    ASSERT_NE(demTileFetch(db, 10, 3), nullptr);
    std::vector<int> kept;
    for (const DemTile& t : db.cache)
        kept.push_back(t.lonKey);
    EXPECT_EQ(kept, (std::vector<int>{3, 0, 2})); // tile 1 went
    EXPECT_EQ(db.cachedSamples, 43200);
}

TEST(DemTileFetch, TileLargerThanTheBudgetStaysAlone) {
    DemTestFile file;
    file.records[demSquare(10, 0)] = DemTestFile::plainRecord({1, 1, 1, 1});
    file.records[demSquare(10, 1)] = DemTestFile::plainRecord({2, 2, 2, 2});
    MemoryDem dem(file.bytes());
    dem.db->cacheBudget = 3;
    ASSERT_NE(demTileFetch(*dem.db, 10, 0), nullptr);
    ASSERT_NE(demTileFetch(*dem.db, 10, 1), nullptr);
    ASSERT_EQ(dem.db->cache.size(), 1u);
    EXPECT_EQ(dem.db->cache.front().lonKey, 1);
}

TEST(DemTileFetch, BadRecordsCountAsMissing) {
    DemTestFile file;
    std::string longCount =
        std::string("\x00\x80", 2) + std::string(8, '\0'); // 32768: negative as a signed count
    file.records[demSquare(10, 0)] = std::string("\x00\x00", 2);
    file.records[demSquare(10, 1)] = longCount;
    file.records[demSquare(10, 2)] = DemTestFile::record(std::string("\x01\x00\x02", 3)); // 3 of 8 bytes
    file.records[demSquare(10, 3)] = std::string("\x10\x00\x01", 3); // count past the end
    MemoryDem dem(file.bytes({{demSquare(10, 4), 0xFFFFFFF0u}}));
    for (int west = 0; west < 5; ++west)
        EXPECT_EQ(demTileFetch(*dem.db, 10, west), nullptr) << west;
    EXPECT_TRUE(dem.db->cache.empty());
    EXPECT_EQ(dem.db->cachedSamples, 0);
}

TEST(DemTileFetch, UnreadableRecordIsReadAgainNextTime) {
    test::TempDir dir;
    DemTestFile file;
    const std::string bytes = file.bytes({{demSquare(10, 0), 260661}}); // points at the end of the file
    const std::string path = dir.write("WCDEM.dem", bytes);
    auto db = demOpenStream(std::fopen(path.c_str(), "rb"));
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(demTileFetch(*db, 10, 0), nullptr);
    EXPECT_TRUE(db->cache.empty());
    dir.write("WCDEM.dem", bytes + DemTestFile::plainRecord({5, 6, 7, 8})); // the record arrives
    const DemTile* tile = demTileFetch(*db, 10, 0);
    ASSERT_NE(tile, nullptr);
    EXPECT_EQ(tile->at(1, 1), 8);
}

} // namespace
} // namespace q71
