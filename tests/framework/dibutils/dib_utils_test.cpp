// Loading bitmap files, checking bitmaps in memory, and colour-table sizes.
#include "bitmap_bytes.h"
#include "framework/dibutils/dib_utils.h"
#include "platform/files/little_endian.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace q71 {
namespace {

using test::bitmapFile;
using test::BitmapShape;

// An info header of the given depth and colours used.
std::vector<uint8_t> infoHeader(uint32_t size, uint16_t bitCount, uint32_t compression, uint32_t clrUsed) {
    std::vector<uint8_t> h(size, 0);
    storeLe32(h.data(), size);
    storeLe16(h.data() + 14, bitCount);
    storeLe32(h.data() + 16, compression);
    if (size >= 40)
        storeLe32(h.data() + 32, clrUsed);
    return h;
}

TEST(DibHeaders, ColourCountsAndPaletteSizes) {
    EXPECT_EQ(dibNumColors(infoHeader(40, 8, 0, 0)), 256u);
    EXPECT_EQ(dibNumColors(infoHeader(40, 8, 0, 17)), 17u);
    EXPECT_EQ(dibNumColors(infoHeader(40, 1, 0, 0)), 2u);
    EXPECT_EQ(dibNumColors(infoHeader(40, 24, 0, 0)), 0u);
    EXPECT_EQ(dibPaletteSize(infoHeader(40, 8, 0, 0)), 1024u);
    EXPECT_EQ(dibPaletteSize(infoHeader(40, 16, 3, 0)), 12u);
    EXPECT_EQ(dibPaletteSize(infoHeader(40, 32, 3, 0)), 12u);
    EXPECT_EQ(dibPaletteSize(infoHeader(108, 16, 3, 0)), 0u); // the masks are inside the header
    EXPECT_EQ(dibPaletteSize(infoHeader(40, 16, 0, 0)), 0u);

    std::vector<uint8_t> core(12, 0);
    storeLe32(core.data(), 12);
    storeLe16(core.data() + 10, 4);
    EXPECT_FALSE(dibIsInfoHeader(core));
    EXPECT_EQ(dibNumColors(core), 16u);
    EXPECT_TRUE(dibIsInfoHeader(infoHeader(108, 8, 0, 0)));
    EXPECT_EQ(dibNumColors(std::vector<uint8_t>(3, 0)), 0u); // too short to say
}

class DibLoad : public ::testing::Test {
protected:
    void SetUp() override { dibSetPathPrefix(dir.path().string().c_str()); }
    void TearDown() override { dibSetPathPrefix(nullptr); }

    int load(const std::string& file) {
        dir.write("b.bmp", file);
        return dibCLoad("b.bmp", header, bits);
    }

    test::TempDir dir;
    std::vector<uint8_t> header;
    std::vector<uint8_t> bits;
};

TEST_F(DibLoad, PalettedBitmapGivesHeaderTableAndBits) {
    BitmapShape shape{.width = 5, .height = 3, .bitCount = 8, .colors = 256};
    ASSERT_EQ(load(bitmapFile(shape, 7)), 1);
    ASSERT_EQ(header.size(), 40u + 1024u);
    EXPECT_EQ(loadLe32(header.data()), 40u);
    EXPECT_EQ(loadLe32(header.data() + 40 + 4 * 200), test::tableEntry(200));
    ASSERT_EQ(bits.size(), 8u * 3u);
    EXPECT_EQ(bits[0], 7);
    EXPECT_EQ(bits[23], 7 + 23);
}

TEST_F(DibLoad, ExtendedHeaderIsCutToFortyBytesAndItsTableReadAfterIt) {
    BitmapShape shape{.headerSize = 108, .width = 2, .height = 2, .bitCount = 4, .colors = 16};
    ASSERT_EQ(load(bitmapFile(shape)), 1);
    ASSERT_EQ(header.size(), 40u + 64u);
    EXPECT_EQ(loadLe32(header.data()), 40u);
    for (uint32_t i = 0; i < 16; ++i)
        EXPECT_EQ(loadLe32(header.data() + 40 + 4 * i), test::tableEntry(i)) << i;
}

TEST_F(DibLoad, BitFieldMasksFollowTheHeader) {
    BitmapShape shape{
        .width = 3, .height = -2, .bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}};
    ASSERT_EQ(load(bitmapFile(shape)), 1);
    ASSERT_EQ(header.size(), 52u);
    EXPECT_EQ(loadLe32(header.data() + 40), 0xF800u);
    EXPECT_EQ(loadLe32(header.data() + 48), 0x001Fu);
    EXPECT_EQ(bits.size(), 8u * 2u); // top-down: the row count is the height's size

    shape.headerSize = 108;
    ASSERT_EQ(load(bitmapFile(shape)), 1);
    ASSERT_EQ(header.size(), 52u);
    EXPECT_EQ(loadLe32(header.data() + 44), 0x07E0u);
}

TEST_F(DibLoad, CoreHeaderIsConvertedWithItsTriples) {
    BitmapShape shape{.headerSize = 12, .width = 9, .height = 2, .bitCount = 4, .colors = 16};
    ASSERT_EQ(load(bitmapFile(shape)), 1);
    ASSERT_EQ(header.size(), 40u + 64u);
    EXPECT_EQ(loadLe32(header.data()), 40u);
    EXPECT_EQ(loadLe32(header.data() + 4), 9u);
    EXPECT_EQ(loadLe16(header.data() + 14), 4u);
    EXPECT_EQ(loadLe32(header.data() + 40 + 4 * 5), test::tableEntry(5)); // fourth byte zero
    EXPECT_EQ(bits.size(), 8u * 2u);
}

TEST_F(DibLoad, PrefixChoosesTheFolder) {
    dir.write("sub/x.bmp", bitmapFile({.colors = 256}));
    dibSetPathPrefix((dir.path() / "sub").c_str());
    EXPECT_TRUE(dibPathPrefixOn());
    EXPECT_EQ(dibCLoad("x.bmp", header, bits), 1);
    char buffer[8];
    dibGetPathPrefix(buffer, sizeof buffer);
    EXPECT_EQ(std::strlen(buffer), 7u);
    EXPECT_EQ(std::string(buffer), (dir.path() / "sub").string().substr(0, 7));

    dibSetPathPrefix(nullptr);
    EXPECT_FALSE(dibPathPrefixOn());
    EXPECT_EQ(dibCLoad("x.bmp", header, bits), 0);
    EXPECT_EQ(dibCLoad((dir.path() / "SUB" / "X.BMP").c_str(), header, bits), 1);
}

TEST_F(DibLoad, MissingAndShortFilesFailSilently) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(dibCLoad("none.bmp", header, bits), 0);
    EXPECT_EQ(load("BM\x10"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(header.empty() && bits.empty());
}

TEST_F(DibLoad, MalformedFilesWarnAndGiveNothing) {
    std::string good = bitmapFile({.colors = 256});
    auto refused = [this](const std::string& file, const char* what) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(load(file), 0) << what;
        EXPECT_NE(testing::internal::GetCapturedStderr(), "") << what;
        EXPECT_TRUE(header.empty() && bits.empty()) << what;
    };
    refused("XX" + good.substr(2), "not BM");
    refused(good.substr(0, good.size() - 1), "bits cut short");
    refused(good.substr(0, 40), "header cut short");
    refused(good.substr(0, 14 + 40 + 100), "table cut short");
    std::string bad = good;
    storeLe32(reinterpret_cast<uint8_t*>(bad.data()) + 14, 64);
    refused(bad, "header size 64");
    std::string huge = bitmapFile({.bitCount = 32});
    storeLe32(reinterpret_cast<uint8_t*>(huge.data()) + 18, 30000);
    storeLe32(reinterpret_cast<uint8_t*>(huge.data()) + 22, 30000);
    refused(huge, "bits far past the end of the file");
    storeLe32(reinterpret_cast<uint8_t*>(huge.data()) + 18, 1u << 20);
    refused(huge, "wider than any bitmap");
    refused(bitmapFile({.width = 0}), "no width");
    refused(bitmapFile({.bitCount = 7}), "depth");
    refused(bitmapFile({.compression = 1, .colors = 256}), "run-length bits");
    refused(bitmapFile({.bitCount = 4, .clrUsed = 300, .colors = 300}), "more colours than any depth");
    refused(bitmapFile({.bitCount = 16, .compression = 3, .masks = {0xF0F0, 0x0F00, 0x000F}}),
            "broken masks");
}

ResourceRef* memberRef(const std::string& file, ResourceRef& ref) {
    ref.name = "member.bmp";
    ref.data = new uint8_t[file.size()];
    std::memcpy(ref.data, file.data(), file.size());
    ref.size = static_cast<uint32_t>(file.size());
    ref.delivered = ref.size;
    return &ref;
}

struct OwnedRef : ResourceRef {
    ~OwnedRef() { delete[] data; }
};

TEST(DibRawCheck, PointsIntoTheMember) {
    BitmapShape shape{.width = 4, .height = 2, .bitCount = 8, .colors = 256};
    OwnedRef ref;
    ASSERT_EQ(dibRawCheck(*memberRef(bitmapFile(shape, 3), ref)), 1);
    EXPECT_EQ(ref.dibHeader.data(), ref.data + 14);
    EXPECT_EQ(ref.dibHeader.size(), 40u + 1024u);
    EXPECT_EQ(ref.dibBits.data(), ref.data + test::bitsOffset(shape));
    EXPECT_EQ(ref.dibBits.size(), 8u);
    EXPECT_EQ(ref.dibBits[0], 3);

    shape.headerSize = 108;
    OwnedRef extended;
    ASSERT_EQ(dibRawCheck(*memberRef(bitmapFile(shape), extended)), 1);
    EXPECT_EQ(extended.dibHeader.size(), 108u + 1024u);
}

TEST(DibRawCheck, RefusesCoreHeadersAndWhatIsNotThere) {
    testing::internal::CaptureStderr();
    OwnedRef core;
    EXPECT_EQ(dibRawCheck(*memberRef(bitmapFile({.headerSize = 12, .colors = 256}), core)), 0);
    OwnedRef text;
    EXPECT_EQ(dibRawCheck(*memberRef("hello, world", text)), 0);
    OwnedRef cut;
    std::string file = bitmapFile({.colors = 256});
    EXPECT_EQ(dibRawCheck(*memberRef(file.substr(0, file.size() - 1), cut)), 0);
    OwnedRef partly; // the read has not delivered the last bytes yet
    memberRef(file, partly);
    partly.delivered = partly.size - 1;
    EXPECT_EQ(dibRawCheck(partly), 0);
    OwnedRef empty;
    EXPECT_EQ(dibRawCheck(*memberRef("", empty)), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(partly.dibBits.empty());
}

TEST(DibJoinPullBars, StacksTheFiveBarsIntoOnePicture) {
    test::TempDir dir;
    for (int i = 1; i <= 5; ++i)
        dir.write("pullbar" + std::to_string(i) + ".bmp",
                  bitmapFile({.width = 16, .height = i, .bitCount = 8, .colors = 256},
                             static_cast<uint8_t>(i * 40)));
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    EXPECT_EQ(dibJoinPullBars(), 1);
    std::vector<uint8_t> header, bits;
    EXPECT_EQ(dibCLoad("all.bmp", header, bits), 1);
    std::string all = test::readFile(dir.path() / "all.bmp");

    dir.write("pullbar3.bmp", bitmapFile({.width = 8, .height = 3, .bitCount = 8, .colors = 256}));
    EXPECT_EQ(dibJoinPullBars(), 0); // widths differ
    std::filesystem::current_path(previous);

    // The bits follow the file header, the 40-byte header and the 256 colours.
    EXPECT_EQ(loadLe32(reinterpret_cast<const uint8_t*>(all.data()) + 10), 14u + 40u + 1024u);
    EXPECT_EQ(loadLe32(header.data() + 8), 15u);
    ASSERT_EQ(bits.size(), 16u * 15u);
    EXPECT_EQ(bits[0], 40);        // first bar, first row
    EXPECT_EQ(bits[16], 80);       // second bar follows it
    EXPECT_EQ(bits[16 * 10], 200); // last bar
}

} // namespace
} // namespace q71
