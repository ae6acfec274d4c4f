#include "framework/dibutils/dib_fields.h"
#include "framework/dibutils/dib_utils.h"
#include "platform/files/little_endian.h"

namespace q71 {

using namespace dib;

namespace {

uint32_t colorsForDepth(uint32_t bitCount) {
    return bitCount <= 8 && bitCount > 0 ? 1u << bitCount : 0;
}

} // namespace

uint32_t dibInfoNumColors(std::span<const uint8_t> header) {
    if (header.size() < kInfoHeaderSize)
        return 0;
    uint32_t used = loadLe32(header.data() + kClrUsed);
    uint32_t bitCount = loadLe16(header.data() + kBitCount);
    return used != 0 ? used
                     : (bitCount == 1 || bitCount == 4 || bitCount == 8 ? colorsForDepth(bitCount) : 0);
}

bool dibIsInfoHeader(std::span<const uint8_t> header) {
    return header.size() >= 4 && loadLe32(header.data()) != kCoreHeaderSize;
}

uint32_t dibNumColors(std::span<const uint8_t> header) {
    if (dibIsInfoHeader(header))
        return dibInfoNumColors(header);
    if (header.size() < kCoreHeaderSize)
        return 0;
    uint32_t bitCount = loadLe16(header.data() + 10);
    return bitCount == 1 || bitCount == 4 || bitCount == 8 ? colorsForDepth(bitCount) : 0;
}

uint32_t dibPaletteSize(std::span<const uint8_t> header) {
    if (header.size() < kInfoHeaderSize)
        return 0;
    uint32_t bitCount = loadLe16(header.data() + kBitCount);
    if (loadLe32(header.data()) == kInfoHeaderSize && (bitCount == 16 || bitCount == 32) &&
        loadLe32(header.data() + kCompression) == kCompressionBitfields)
        return 12;
    return 4 * dibInfoNumColors(header);
}

namespace dib {

bool colorCountPlausible(std::span<const uint8_t> info) {
    return info.size() >= kInfoHeaderSize && loadLe32(info.data() + kClrUsed) <= kMaxColors;
}

} // namespace dib
} // namespace q71
