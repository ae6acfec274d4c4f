// A button strip from untrusted bytes: the first three choose the frame size and count, the rest
// is a bitmap file as a group archive delivers it. Cutting it into frames and drawing each one
// must never read outside the bitmap's bytes nor write outside the target.
#include "framework/widgets/button_toggle.h"
#include "fuzz_bitmap.h"

#include <vector>

namespace {

using namespace q71;

class Strip : public ButtonToggle {
public:
    Strip(int frameWidth, int frameHeight, int frameCount)
        : ButtonToggle(0, "fuzz.bmp", frameWidth, frameHeight, frameCount) {}
    using ButtonToggle::useStrip;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    std::vector<std::uint8_t> file(data + 3, data + size);
    ResourceRef ref;
    if (!fuzz::bitmapMember(file, ref))
        return 0;
    Strip strip(data[0] % 64 + 1, data[1] % 64 + 1, data[2] % 17);
    strip.useStrip(ref.dibHeader, ref.dibBits);
    for (int i = 0; i < strip.frameCount(); ++i)
        strip.drawFrame(fuzz::drawingTarget(), strip.frame(i)->bits);
    return 0;
}
