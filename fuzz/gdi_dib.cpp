// Device-independent bits from untrusted bytes: the first bytes choose the block placement and
// how long the header block is, the rest is header and bits. Setting them on a small bitmap must
// never read outside the bytes nor write outside the bitmap.
#include "platform/gdi/blit.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q71;
    if (size < 12)
        return 0;
    auto value = [&](std::size_t i) { return static_cast<int>(static_cast<std::int8_t>(data[i])); };
    std::size_t infoSize = data[10] | (std::size_t{data[11]} << 8);
    std::span<const std::uint8_t> rest(data + 12, size - 12);
    infoSize = std::min(infoSize, rest.size());
    auto info = rest.first(infoSize);
    auto bits = rest.subspan(infoSize);

    static BitmapRef target = Bitmap::createCompatible(40, 30);
    static auto dc = [] {
        auto memory = DeviceContext::createMemory();
        memory->selectBitmap(target);
        return memory;
    }();
    setDIBitsToDevice(*dc, value(0), value(1), data[2], data[3], value(4), value(5), value(6), data[7], bits,
                      info);
    if (auto bitmap = createDIBitmap(info, bits))
        bitmap->surface();
    if (auto section = Bitmap::createDibSection(info))
        dc->selectBitmap(section), dc->selectBitmap(target);
    return 0;
}
