#include "media/movie/transform_frame.h"
#include "media/movie/transform_tables.h"

#include <algorithm>

namespace q71 {

bool beginTransformFrame(MovieCodec& codec, std::span<const std::uint8_t> chunk, TransformHeader& header) {
    if (chunk.size() < kTransformHeaderSize)
        return false;
    header.width = static_cast<std::int16_t>(chunk[0] | chunk[1] << 8);
    header.height = static_cast<std::int16_t>(chunk[2] | chunk[3] << 8);
    header.quantiser = chunk[4];
    header.studioRange = (chunk[7] & 2) != 0;
    if (header.width <= 0 || header.height <= 0 || header.width % 16 || header.height % 16 ||
        static_cast<long long>(header.width) * header.height > MovieCodec::kFrameValues || header.quantiser > 100)
        return false;
    codec.width = header.width;
    codec.height = header.height;
    codec.quantiser = header.quantiser;
    return true;
}

DequantisationTable transformDequantisation(int quantiser) {
    int a = (100 - quantiser) * 22 / 100;
    int b = (100 - quantiser) * 50 / 100;
    int step = b + 2 - a;
    DequantisationTable table;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c) {
            auto factor = static_cast<std::int16_t>(a + 8 + ((r + c) * step) / 14);
            table[r * 8 + c] = kTransformPrescale[r * 8 + c] * factor;
        }
    return table;
}

DequantisationTable intraDequantisation(int quantiser) {
    DequantisationTable table;
    const float scale = static_cast<float>((107 - quantiser) * 0.0625);
    for (int i = 0; i < 64; ++i) {
        if (quantiser == 100) {
            table[i] = kTransformPrescale[i] * 8;
            continue;
        }
        auto m = static_cast<std::int64_t>(static_cast<float>(kIntraQuantiserMatrix[i]) * scale * 65536.0f);
        std::int64_t product = m * kTransformPrescale[i];
        table[i] = static_cast<std::int32_t>((product >> 16) + ((product >> 15) & 1));
    }
    table[0] = 65536;
    return table;
}

std::int32_t* macroblockBlock(MacroblockSamples& samples, int b, int& stride) {
    if (b < 4) {
        stride = 16;
        return samples.luminance + (b / 2) * 8 * 16 + (b % 2) * 8;
    }
    stride = 8;
    return b == 4 ? samples.blueDifference : samples.redDifference;
}

void writeMacroblockByTables(MovieCodec& codec, const MacroblockSamples& samples, int mx, int my) {
    auto level = [](std::int32_t sample) { return (static_cast<std::uint32_t>(sample) >> 17) & 127; };
    for (int r = 0; r < 16; ++r) {
        std::uint32_t* out = codec.current.data() + (my * 16 + r) * codec.width + mx * 16;
        const std::int32_t* y = samples.luminance + r * 16;
        const std::int32_t* cb = samples.blueDifference + (r / 2) * 8;
        const std::int32_t* cr = samples.redDifference + (r / 2) * 8;
        for (int c = 0; c < 16; ++c)
            out[c] = codec.luminance[level(y[c])] + codec.blueDifference[level(cb[c / 2])] +
                     codec.redDifference[level(cr[c / 2])];
    }
}

void writeMacroblockStudioRange(MovieCodec& codec, const MacroblockSamples& samples, int mx, int my) {
    auto saturate = [](const std::array<std::uint32_t, 1024>& table, std::int64_t value) {
        return table[static_cast<std::size_t>(std::clamp<std::int64_t>(384 + value, 0, 1023))];
    };
    for (int r = 0; r < 16; ++r) {
        std::uint32_t* out = codec.current.data() + (my * 16 + r) * codec.width + mx * 16;
        for (int c = 0; c < 16; ++c) {
            std::int64_t y = samples.luminance[r * 16 + c] >> 16;
            std::int64_t cb = (samples.blueDifference[(r / 2) * 8 + c / 2] >> 16) - 128;
            std::int64_t cr = (samples.redDifference[(r / 2) * 8 + c / 2] >> 16) - 128;
            std::int64_t t = ((y - 16) * 76309) >> 16;
            std::int64_t red = t + ((cr * 104597) >> 16);
            std::int64_t green = t - ((cr * 53279 + cb * 25675) >> 16);
            std::int64_t blue = t + ((cb * 132201) >> 16);
            out[c] = saturate(codec.redSaturation, red) | saturate(codec.greenSaturation, green) |
                     saturate(codec.blueSaturation, blue);
        }
    }
}

} // namespace q71
