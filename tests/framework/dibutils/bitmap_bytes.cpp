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

bool masksFollowHeader(const BitmapShape& shape) {
    return shape.headerSize == 40 && shape.compression == 3;
}

} // namespace

uint32_t rowBytes(const BitmapShape& shape) {
    return (uint32_t(shape.width) * shape.bitCount + 31) / 32 * 4;
}

uint32_t tableEntry(uint32_t i) {
    return (i & 0xFF) | ((2 * i) & 0xFF) << 8 | ((3 * i) & 0xFF) << 16;
}

uint32_t bitsOffset(const BitmapShape& shape) {
    uint32_t entry = shape.headerSize == 12 ? 3 : 4;
    return 14 + shape.headerSize + (masksFollowHeader(shape) ? 12 : 0) + shape.colors * entry;
}

std::string bitmapFile(const BitmapShape& shape, uint8_t firstPixel) {
    uint32_t rows = static_cast<uint32_t>(std::abs(shape.height));
    uint32_t bits = rowBytes(shape) * rows;
    std::string s = "BM";
    put32(s, bitsOffset(shape) + bits);
    put32(s, 0);
    put32(s, bitsOffset(shape));
    put32(s, shape.headerSize);
    if (shape.headerSize == 12) {
        put16(s, static_cast<uint32_t>(shape.width));
        put16(s, static_cast<uint32_t>(shape.height));
        put16(s, 1);
        put16(s, shape.bitCount);
    } else {
        put32(s, static_cast<uint32_t>(shape.width));
        put32(s, static_cast<uint32_t>(shape.height));
        put16(s, 1);
        put16(s, shape.bitCount);
        put32(s, shape.compression);
        put32(s, bits);
        put32(s, 2835);
        put32(s, 2835);
        put32(s, shape.clrUsed);
        put32(s, 0);
        if (shape.headerSize == 108) {
            for (uint32_t mask : shape.masks)
                put32(s, mask);
            s.append(108 - 52, '\0'); // alpha mask, colour space, end points, gamma
        }
    }
    if (masksFollowHeader(shape))
        for (uint32_t mask : shape.masks)
            put32(s, mask);
    for (uint32_t i = 0; i < shape.colors; ++i) {
        uint32_t entry = tableEntry(i);
        s += static_cast<char>(entry & 0xFF);
        s += static_cast<char>((entry >> 8) & 0xFF);
        s += static_cast<char>((entry >> 16) & 0xFF);
        if (shape.headerSize != 12)
            s += '\0';
    }
    for (uint32_t i = 0; i < bits; ++i)
        s += static_cast<char>(firstPixel + i);
    return s;
}

} // namespace q71::test
