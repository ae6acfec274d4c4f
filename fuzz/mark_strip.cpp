// A strip of chart marks from untrusted bytes: the first byte chooses the frame count, the rest
// is a bitmap file as a group archive delivers it. Cutting it and drawing every frame, also
// across the target's edges, must never read outside the bitmap's bytes nor write outside the
// target; a strip that was cut holds exactly its frames.
#include "fuzz_bitmap.h"
#include "tactical/charts/mark_strip.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace q71;
    if (size < 1)
        return 0;
    std::vector<std::uint8_t> file(data + 1, data + size);
    ResourceRef ref;
    if (!fuzz::bitmapMember(file, ref))
        return 0;
    const int frames = data[0] % 40;
    MarkStrip strip;
    if (!strip.cut(ref.dibHeader, ref.dibBits, frames))
        return 0;
    if (strip.frames() != frames || strip.frameWidth() <= 0 || strip.frameHeight() <= 0)
        __builtin_trap();
    DeviceContext& dc = fuzz::drawingTarget();
    for (int i = -1; i <= strip.frames(); ++i) {
        strip.draw(dc, i, 32, 32);
        strip.draw(dc, i, 0, 63);
    }
    return 0;
}
