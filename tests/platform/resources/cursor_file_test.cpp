// Cursor files and bitmap resources: what the program's resources are read from.
#include "platform/files/little_endian.h"
#include "platform/gdi/dib_format.h"
#include "platform/resources/cursor_file.h"
#include "platform/resources/program_resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace q71 {
namespace {

std::span<const std::uint8_t> bytesOf(const std::string& file) {
    return {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()};
}

CursorImage sample() {
    CursorImage image;
    image.width = 5;
    image.height = 3;
    image.hotSpot = {4, 2};
    for (int i = 0; i < 15; ++i)
        image.argb.push_back(i % 4 == 0 ? 0u : 0xFF000000u | static_cast<std::uint32_t>(i * 0x010203));
    image.argb[7] = 0x80102030u; // half transparent
    return image;
}

TEST(CursorFile, AnImageComesBackAsItWasWritten) {
    const CursorImage image = sample();
    std::string error;
    auto decoded = cursorFileDecode(bytesOf(cursorFileEncode(image)), error);
    ASSERT_TRUE(decoded) << error;
    EXPECT_EQ(decoded->width, 5);
    EXPECT_EQ(decoded->height, 3);
    EXPECT_EQ(decoded->hotSpot, (Point{4, 2}));
    EXPECT_EQ(decoded->argb, image.argb) << "rows stored bottom-up come back top row first";
}

TEST(CursorFile, WithoutAlphaTheMaskSaysWhatShows) {
    CursorImage image = sample();
    std::string file = cursorFileEncode(image);
    // Clear every alpha byte: the mask written beside the colours decides.
    auto* bits = reinterpret_cast<std::uint8_t*>(file.data()) + 22 + 40;
    for (int i = 0; i < 15; ++i)
        bits[4 * i + 3] = 0;
    std::string error;
    auto decoded = cursorFileDecode(bytesOf(file), error);
    ASSERT_TRUE(decoded) << error;
    for (int i = 0; i < 15; ++i) {
        const bool shown = (image.argb[static_cast<std::size_t>(i)] >> 24) != 0;
        EXPECT_EQ(decoded->argb[static_cast<std::size_t>(i)] >> 24, shown ? 0xFFu : 0u) << "pixel " << i;
    }
}

TEST(CursorFile, DamagedFilesAreRefusedWithAReason) {
    const std::string good = cursorFileEncode(sample());
    auto refused = [](std::string file) {
        std::string error;
        const bool ok = cursorFileDecode(bytesOf(file), error).has_value();
        return !ok && !error.empty();
    };
    EXPECT_TRUE(refused(""));
    EXPECT_TRUE(refused(good.substr(0, good.size() - 1))) << "cut short";
    std::string icon = good;
    icon[2] = 1; // an icon, not a cursor
    EXPECT_TRUE(refused(icon));
    std::string empty = good;
    empty[4] = 0;
    EXPECT_TRUE(refused(empty)) << "no image";
    std::string outside = good;
    storeLe32(reinterpret_cast<std::uint8_t*>(outside.data()) + 6 + 12, 0xFFFFFFF0u);
    EXPECT_TRUE(refused(outside)) << "the image offset points past the file";
    std::string deep = good;
    deep[22 + 14] = 24;
    EXPECT_TRUE(refused(deep)) << "24-bit images";
    std::string huge = good;
    storeLe32(reinterpret_cast<std::uint8_t*>(huge.data()) + 22 + 4, 100000);
    EXPECT_TRUE(refused(huge));
    std::string odd = good;
    storeLe32(reinterpret_cast<std::uint8_t*>(odd.data()) + 22 + 8, 7);
    EXPECT_TRUE(refused(odd)) << "an odd double height";
    std::string hot = good;
    storeLe16(reinterpret_cast<std::uint8_t*>(hot.data()) + 6 + 4, 5);
    EXPECT_TRUE(refused(hot)) << "the hot spot lies outside";
}

TEST(BitmapResource, AFileOfAnyDrawableDepthBecomesABitmap) {
    const std::vector<std::uint8_t> info = dibMakeInfo({2, 2, 24});
    std::string file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    storeLe32(reinterpret_cast<std::uint8_t*>(file.data()) + 10,
              static_cast<std::uint32_t>(14 + info.size()));
    file.append(info.begin(), info.end());
    file.append(std::string("\x00\x00\xFF\x00\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\xFF\xFF\x00", 16));
    BitmapRef bitmap = resourceDecodeBitmap(bytesOf(file));
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width(), 2);
    EXPECT_EQ(bitmap->height(), 2);

    EXPECT_FALSE(resourceDecodeBitmap(bytesOf(file.substr(0, file.size() - 4)))) << "bits cut short";
    std::string notBitmap = file;
    notBitmap[0] = 'X';
    EXPECT_FALSE(resourceDecodeBitmap(bytesOf(notBitmap)));
    std::string badOffset = file;
    storeLe32(reinterpret_cast<std::uint8_t*>(badOffset.data()) + 10, 1u << 30);
    EXPECT_FALSE(resourceDecodeBitmap(bytesOf(badOffset)));
}

} // namespace
} // namespace q71
