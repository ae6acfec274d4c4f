#include "mkdata/art/station_face.h"

#include "mkdata/art/buttons.h"
#include "mkdata/art/look.h"

namespace q71::mkdata {
namespace {

constexpr int kFaceWidth = 540;
constexpr int kFaceHeight = 420;

} // namespace

Canvas stationFace(std::uint32_t seed, const Rect& glass, std::span<const Rect> recesses) {
    Canvas canvas(kFaceWidth, kFaceHeight);
    steelPanel(canvas, Rect{0, 0, kFaceWidth, kFaceHeight}, seed);
    if (glass.right > glass.left) {
        const Rect bezel{glass.left - 6, glass.top - 6, glass.right + 6, glass.bottom + 6};
        fillRect(canvas, bezel, shade(palette::kSteelDark, -0.2f), shade(palette::kSteelDark, -0.4f), 0,
                 0.0f);
        bevel(canvas, bezel, 2, true);
        glassInset(canvas, glass);
    }
    for (const Rect& r : recesses)
        bevel(canvas, Rect{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2}, 2, false);
    return canvas;
}

std::vector<Canvas> stationButtonStrip(int width, int height, int frames, const std::string& label,
                                       const LetterFont& font) {
    std::vector<Canvas> looks = pushButtonFrames(width, height, label, font);
    if (frames == 2)
        return {looks[0], looks[1]};
    return {looks[0], looks[1], looks[1]};
}

} // namespace q71::mkdata
