#include "bitmap_bytes.h"

#include <cstdlib>

namespace q71::test {
namespace {

void put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

bool masksFollowHeader(const BitmapSpec& spec) {
    return spec.headerSize == 40 && spec.compression == 3;
}

} // namespace

uint32_t rowBytes(const BitmapSpec& spec) {
    return (uint32_t(spec.width) * spec.bitCount + 31) / 32 * 4;
}

uint32_t tableEntry(uint32_t i) {
    return (i & 0xFF) | ((2 * i) & 0xFF) << 8 | ((3 * i) & 0xFF) << 16;
}

uint32_t bitsOffset(const BitmapSpec& spec) {
    uint32_t entry = spec.headerSize == 12 ? 3 : 4;
    return 14 + spec.headerSize + (masksFollowHeader(spec) ? 12 : 0) + spec.colors * entry;
}

std::string bitmapFile(const BitmapSpec& spec, uint8_t firstPixel) {
    uint32_t rows = static_cast<uint32_t>(std::abs(spec.height));
    uint32_t bits = rowBytes(spec) * rows;
    std::string s = "BM";
    put32(s, bitsOffset(spec) + bits);
    put32(s, 0);
    put32(s, bitsOffset(spec));
    put32(s, spec.headerSize);
    if (spec.headerSize == 12) {
        put16(s, static_cast<uint32_t>(spec.width));
        put16(s, static_cast<uint32_t>(spec.height));
        put16(s, 1);
        put16(s, spec.bitCount);
    } else {
        put32(s, static_cast<uint32_t>(spec.width));
        put32(s, static_cast<uint32_t>(spec.height));
        put16(s, 1);
        put16(s, spec.bitCount);
        put32(s, spec.compression);
        put32(s, bits);
        put32(s, 2835);
        put32(s, 2835);
        put32(s, spec.clrUsed);
        put32(s, 0);
        if (spec.headerSize == 108) {
            for (uint32_t mask : spec.masks)
                put32(s, mask);
            s.append(108 - 52, '\0'); // alpha mask, colour space, end points, gamma
        }
    }
    if (masksFollowHeader(spec))
        for (uint32_t mask : spec.masks)
            put32(s, mask);
    for (uint32_t i = 0; i < spec.colors; ++i) {
        uint32_t entry = tableEntry(i);
        s += static_cast<char>(entry & 0xFF);
        s += static_cast<char>((entry >> 8) & 0xFF);
        s += static_cast<char>((entry >> 16) & 0xFF);
        if (spec.headerSize != 12)
            s += '\0';
    }
    for (uint32_t i = 0; i < bits; ++i)
        s += static_cast<char>(firstPixel + i);
    return s;
}

} // namespace q71::test
