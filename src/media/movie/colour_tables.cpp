// Set-up of the codec: the frame buffers, and the colour tables that turn luminance and colour
// difference levels into frame values, so that a pixel is the plain sum of three entries.
#include "media/movie/colour_tables.h"
#include "media/movie/movie_codec.h"

#include <algorithm>

namespace q71 {

std::int32_t roundedProduct(std::int32_t value, std::int32_t factor) {
    std::int32_t product = value * factor;
    return (product >> 16) + ((product >> 15) & 1);
}

namespace {

// A channel value of -255..255 scaled to n bits: the low half rounds and is clamped, the high
// half truncates; so a doubled pixel shows both, and their average is closer to the true colour.
int scaledRounded(int v, int bits) {
    int divisor = 1 << (8 - bits);
    int half = divisor / 2;
    int scaled = v >= 0 ? (v + half) / divisor : (v - half) / divisor;
    int limit = (1 << bits) - 1;
    return std::clamp(scaled, -limit, limit);
}

int scaledTruncated(int v, int bits) { return v / (1 << (8 - bits)); }

// Packs signed fields, lowest first, each cut to its width; a negative field lowers the next one
// by 1, so that adding packed entries adds their channels.
class BorrowPacker {
public:
    void put(int value, int bits, int shift) {
        value -= borrow_;
        borrow_ = value < 0 ? 1 : 0;
        packed_ |= (static_cast<std::uint32_t>(value) & ((1u << bits) - 1)) << shift;
    }
    std::uint32_t packed() const { return packed_; }

private:
    std::uint32_t packed_ = 0;
    int borrow_ = 0;
};

std::uint32_t packSixteen(const ChannelValues& v, const DisplayFormat& f) {
    BorrowPacker p;
    p.put(scaledRounded(v.blue, f.blue.bits), f.blue.bits, f.blue.shift);
    p.put(scaledRounded(v.green, f.green.bits), f.green.bits, f.green.shift);
    p.put(scaledRounded(v.red, f.red.bits), f.red.bits, f.red.shift);
    p.put(scaledTruncated(v.blue, f.blue.bits), f.blue.bits, f.blue.shift + 16);
    p.put(scaledTruncated(v.green, f.green.bits), f.green.bits, f.green.shift + 16);
    p.put(scaledTruncated(v.red, f.red.bits), f.red.bits, f.red.shift + 16);
    std::uint32_t packed = p.packed();
    if (f.totalBits != 16)
        packed |= 0x80008000u; // 5-5-5: the unused top bit of each pixel is set
    return packed;
}

std::uint32_t packThirtyTwo(const ChannelValues& v, int top) {
    BorrowPacker p;
    p.put(v.blue, 8, 0);
    p.put(v.green, 8, 8);
    p.put(v.red, 8, 16);
    p.put(top, 8, 24);
    return p.packed();
}

std::uint32_t saturationValue(int k, const ChannelFormat& channel, int wideShift, bool sixteen) {
    std::uint32_t v = static_cast<std::uint32_t>(std::clamp(k - 384, 0, 255));
    if (!sixteen)
        return v << wideShift;
    std::uint32_t pixel = (v >> (8 - channel.bits)) << channel.shift;
    return pixel | (pixel << 16);
}

} // namespace

std::uint32_t colourTableEntry(const ChannelValues& v, const DisplayFormat& f, bool isLuminance) {
    return f.isSixteenBit() ? packSixteen(v, f) : packThirtyTwo(v, isLuminance ? 255 : 0);
}

ChannelValues luminanceLevel(int i) { // Y = 2i as a signed byte, + 129
    int y = static_cast<std::int8_t>(static_cast<std::uint8_t>(2 * i)) + 129;
    return {y, y, y};
}

ChannelValues blueDifferenceLevel(int i) {
    int c = static_cast<std::int8_t>(static_cast<std::uint8_t>(2 * i + 1));
    return {0, roundedProduct(c, -22550), roundedProduct(c, 116129)};
}

ChannelValues redDifferenceLevel(int i) {
    int c = static_cast<std::int8_t>(static_cast<std::uint8_t>(2 * i + 1));
    return {roundedProduct(c, 91881), roundedProduct(c, -46799), 0};
}

std::uint32_t paletteFrameValue(const std::uint8_t rgb[3], const DisplayFormat& f) {
    if (!f.isSixteenBit())
        return (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
    std::uint32_t pixel = ((std::uint32_t{rgb[0]} >> (8 - f.red.bits)) << f.red.shift) |
                          ((std::uint32_t{rgb[1]} >> (8 - f.green.bits)) << f.green.shift) |
                          ((std::uint32_t{rgb[2]} >> (8 - f.blue.bits)) << f.blue.shift);
    return pixel | (pixel << 16);
}

void codec_setup(MovieCodec& codec, const DisplayFormat& format) {
    if (codec.setUp)
        return;
    codec.current.assign(MovieCodec::kFrameValues, 0);
    codec.previous.assign(MovieCodec::kFrameValues, 0);
    codec.current8.assign(MovieCodec::kFrameValues, 0);
    codec.previous8.assign(MovieCodec::kFrameValues, 0);
    codec.format = format;
    for (int i = 0; i < 128; ++i) {
        codec.luminance[i] = colourTableEntry(luminanceLevel(i), format, true);
        codec.blueDifference[i] = colourTableEntry(blueDifferenceLevel(i), format, false);
        codec.redDifference[i] = colourTableEntry(redDifferenceLevel(i), format, false);
    }
    bool sixteen = format.isSixteenBit();
    for (int k = 0; k < 1024; ++k) {
        codec.redSaturation[k] = saturationValue(k, format.red, 16, sixteen);
        codec.greenSaturation[k] = saturationValue(k, format.green, 8, sixteen);
        codec.blueSaturation[k] = saturationValue(k, format.blue, 0, sixteen);
    }
    codec.setUp = true;
}

void codec_release(MovieCodec& codec) {
    if (!codec.setUp)
        return;
    codec = MovieCodec{};
}

} // namespace q71
