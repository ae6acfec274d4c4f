// Joining the five pull-bar images into one picture, for the tools that prepare them.
#include "framework/dibutils/dib_fields.h"
#include "framework/dibutils/dib_utils.h"
#include "platform/files/little_endian.h"
#include "platform/files/path.h"

#include <array>
#include <cstdio>
#include <string>

namespace q71 {

using namespace dib;

namespace {

constexpr int kBars = 5;
// The bits follow the file header, the 40-byte header and a 256-entry colour table.
constexpr uint32_t kJoinedBitsOffset = kFileHeaderSize + kInfoHeaderSize + 4 * 256;

struct Image {
    std::vector<uint8_t> header;
    std::vector<uint8_t> bits;
};

int32_t heightOf(const Image& image) {
    return static_cast<int32_t>(loadLe32(image.header.data() + kHeight));
}

// The bars must be 8-bit, stored bottom-up and of one width, and the first must carry a whole
// 256-colour table: the joined file is laid out for exactly that.
bool fitTogether(const std::array<Image, kBars>& bars) {
    for (const Image& bar : bars) {
        if (loadLe16(bar.header.data() + kBitCount) != 8 || heightOf(bar) <= 0 ||
            loadLe32(bar.header.data() + kWidth) != loadLe32(bars[0].header.data() + kWidth))
            return false;
    }
    return bars[0].header.size() == kJoinedBitsOffset - kFileHeaderSize;
}

} // namespace

int dibJoinPullBars() {
    std::array<Image, kBars> bars;
    for (int i = 0; i < kBars; ++i) {
        std::string name = "pullbar" + std::to_string(i + 1) + ".bmp";
        if (!dibCLoad(name.c_str(), bars[i].header, bars[i].bits))
            return 0;
    }
    if (!fitTogether(bars))
        return 0;

    // The first bar's header describes the whole picture: its height becomes the sum of all.
    std::vector<uint8_t> header = bars[0].header;
    uint32_t height = 0;
    uint32_t bitsBytes = 0;
    for (const Image& bar : bars) {
        height += static_cast<uint32_t>(heightOf(bar));
        bitsBytes += static_cast<uint32_t>(bar.bits.size());
    }
    storeLe32(header.data() + kHeight, height);
    uint8_t fileHeader[kFileHeaderSize] = {'B', 'M'};
    storeLe32(fileHeader + 2, kJoinedBitsOffset + bitsBytes);
    storeLe32(fileHeader + kFileBitsOffset, kJoinedBitsOffset);

    std::FILE* out = fileOpen("all.bmp", "wb");
    if (!out)
        return 0;
    bool written = std::fwrite(fileHeader, 1, sizeof fileHeader, out) == sizeof fileHeader &&
                   std::fwrite(header.data(), 1, header.size(), out) == header.size();
    for (const Image& bar : bars)
        written = written && std::fwrite(bar.bits.data(), 1, bar.bits.size(), out) == bar.bits.size();
    return std::fclose(out) == 0 && written ? 1 : 0;
}

} // namespace q71
