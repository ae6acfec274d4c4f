#include "mkdata/art/buttons.h"

#include "mkdata/art/look.h"

namespace q71::mkdata {
namespace {

enum class Face { Up, Down, Disabled };

Canvas buttonFrame(int width, int height, std::string_view label, const FontRef& font, Face face) {
    Canvas frame(width, height);
    const Rect whole{0, 0, width, height};
    // The cap sits in a dark recess of the panel.
    fillGradient(frame, whole, shade(palette::kSteelDark, -0.5), shade(palette::kSteelDark, -0.3), 0, 0.0);
    const int shift = face == Face::Down ? 1 : 0;
    const Rect cap{2 + shift, 2 + shift, width - 2 + shift, height - 2 + shift};
    const ColorRef top =
        face == Face::Down ? shade(palette::kSteel, -0.05) : shade(palette::kSteelLight, 0.05);
    const ColorRef bottom =
        face == Face::Down ? shade(palette::kSteel, -0.25) : shade(palette::kSteel, -0.05);
    fillGradient(frame, cap, top, bottom, static_cast<std::uint32_t>(width * 131 + height), 0.015);
    bevel(frame, cap, 2, face != Face::Down);
    // A lamp stripe along the left edge: amber while the key can be pressed.
    const ColorRef lamp = face == Face::Disabled
                              ? shade(palette::kSteelDark, -0.2)
                              : (face == Face::Down ? palette::kAmber : shade(palette::kAmber, -0.35));
    for (int y = cap.top + 5; y < cap.bottom - 5; ++y)
        for (int x = cap.left + 6; x < cap.left + 9; ++x)
            frame.setPixel(x, y, lamp);
    const ColorRef ink = face == Face::Disabled ? shade(palette::kSteelLight, 0.1) : palette::kLabel;
    engravedText(frame, Rect{cap.left + 12, cap.top, cap.right - 4, cap.bottom}, label, font, ink,
                 kDtCenter | kDtVCenter | kDtSingleLine);
    return frame;
}

} // namespace

std::vector<Canvas> pushButtonFrames(int width, int height, std::string_view label, const FontRef& font) {
    std::vector<Canvas> frames;
    frames.push_back(buttonFrame(width, height, label, font, Face::Up));
    frames.push_back(buttonFrame(width, height, label, font, Face::Down));
    frames.push_back(buttonFrame(width, height, label, font, Face::Disabled));
    return frames;
}

} // namespace q71::mkdata
