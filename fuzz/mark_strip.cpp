// A strip of chart marks from untrusted bytes: the first byte chooses the frame count, the rest
// is a bitmap file as a group archive delivers it. Cutting it and drawing every frame, also
// across the target's edges, must never read outside the bitmap's bytes nor write outside the
// target; a strip that was cut holds exactly its frames.
#include "framework/dibutils/dib_utils.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "tactical/charts/mark_strip.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q71;
    if (size < 1)
        return 0;
    std::vector<std::uint8_t> file(data + 1, data + size);
    ResourceRef ref;
    ref.name = "fuzz.bmp";
    ref.data = file.data();
    ref.size = static_cast<std::uint32_t>(file.size());
    ref.delivered = ref.size;
    if (!dibRawCheck(ref))
        return 0;
    const int frames = data[0] % 40;
    MarkStrip strip;
    if (!strip.cut(ref.dibHeader, ref.dibBits, frames))
        return 0;
    if (strip.frames() != frames || strip.frameWidth() <= 0 || strip.frameHeight() <= 0)
        __builtin_trap();
    static BitmapRef target = Bitmap::createCompatible(32, 32);
    static auto dc = [] {
        auto memory = DeviceContext::createMemory();
        memory->selectBitmap(target);
        return memory;
    }();
    for (int i = -1; i <= strip.frames(); ++i) {
        strip.draw(*dc, i, 16, 16);
        strip.draw(*dc, i, 0, 31);
    }
    return 0;
}
