#include "mkdata/art/buttons.h"

#include "mkdata/art/look.h"

namespace q71::mkdata {
namespace {

enum class Face { Up, Down, Disabled };

Canvas buttonFrame(int width, int height, const std::string& label, const MovieFont& font, Face face) {
    Canvas frame(width, height);
    const bool down = face == Face::Down;
    const Rect cap = buttonCap(frame, 2, down, static_cast<std::uint32_t>(width * 131 + height));
    const Colour lamp = face == Face::Disabled ? shade(palette::kSteelDark, -0.2f)
                        : down                 ? palette::kAmber
                                               : shade(palette::kAmber, -0.45f);
    fillRect(frame, Rect{cap.left + 6, cap.top + 6, cap.left + 9, cap.bottom - 6}, lamp, lamp, 0, 0.0f);
    if (down)
        frame.glow({cap.left + 7.5, (cap.top + cap.bottom) / 2.0}, 4.0, palette::kAmber, 0.25f);
    const Colour ink = face == Face::Disabled ? shade(palette::kSteelLight, 0.1f) : palette::kLabel;
    engravedText(frame, Rect{cap.left + 12, cap.top, cap.right - 4, cap.bottom}, label, font, ink, true);
    return frame;
}

} // namespace

std::vector<Canvas> pushButtonFrames(int width, int height, const std::string& label, const MovieFont& font) {
    return {buttonFrame(width, height, label, font, Face::Up),
            buttonFrame(width, height, label, font, Face::Down),
            buttonFrame(width, height, label, font, Face::Disabled)};
}

} // namespace q71::mkdata
