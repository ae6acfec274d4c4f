#include "mkdata/art/buttons.h"

#include "mkdata/art/look.h"

#include <algorithm>

namespace q71::mkdata {
namespace {

enum class Face { Up, Down, Disabled };

// Where a button's lamp stands and where its label goes: the lamp a bar along the left of the
// face with the label beside it, or, on a button too narrow for the label beside it, a bar along
// the top with the label under it.
struct Arrangement {
    Rect lamp;
    Rect label;
};

Arrangement arrange(const Rect& cap, int bevel, const std::string& label, const LetterFont& font) {
    const Rect face = cap.inflatedBy(-bevel, -bevel);
    const Rect besideLamp{face.left + 4, face.top + 4, face.left + 7, face.bottom - 4};
    const Arrangement beside{besideLamp, Rect{besideLamp.right, face.top, face.right, face.bottom}};
    const Rect aboveLamp{face.left + 4, face.top + 3, face.right - 4, face.top + 5};
    const Arrangement above{aboveLamp, Rect{face.left, aboveLamp.bottom, face.right, face.bottom}};
    // Beside the lamp where the label fits there; under it where only there; else beside it, in a
    // smaller size.
    const auto fits = [&](const Arrangement& a) { return font.fitsIn(label, {a.label, Align::Centre, {a.lamp}}); };
    return label.empty() || fits(beside) || !fits(above) ? beside : above;
}

// The dark recess round the cap, and the cap's bevel: a thin recess leaves the face room for a
// line of the largest labels with its accents and descenders.
constexpr int kRecess = 1;
constexpr int kBevel = 2;

Canvas buttonFrame(int width, int height, const std::string& label, const LetterFont& font, Face face) {
    Canvas frame(width, height);
    const bool down = face == Face::Down;
    const Rect cap = buttonCap(frame, kRecess, down, static_cast<std::uint32_t>(width * 131 + height), kBevel);
    const Arrangement at = arrange(cap, kBevel, label, font);
    const Colour lamp = face == Face::Disabled ? shade(palette::kSteelDark, -0.2f)
                        : down                 ? palette::kAmber
                                               : shade(palette::kAmber, -0.45f);
    fillRect(frame, at.lamp, lamp, lamp, 0, 0.0f);
    if (down)
        frame.glow({(at.lamp.left + at.lamp.right) / 2.0, (at.lamp.top + at.lamp.bottom) / 2.0}, 1.5,
                   palette::kAmber, 0.2f);
    const Colour ink = face == Face::Disabled ? shade(palette::kSteelLight, 0.1f) : palette::kLabel;
    if (!label.empty())
        letterLabel(frame, {at.label, Align::Centre, {at.lamp}}, label, font, ink);
    return frame;
}

} // namespace

LetterFont pushButtonFont(const LetterFont& font, std::span<const ButtonLabel> buttons) {
    return font.largestWhere([&](const LetterFont& size) {
        return std::all_of(buttons.begin(), buttons.end(), [&](const ButtonLabel& button) {
            return pushButtonFits(button.width, button.height, button.label, size);
        });
    });
}

bool pushButtonFits(int width, int height, const std::string& label, const LetterFont& font) {
    // The cap as it stands up; pressed, it moves but keeps its size.
    const Rect cap{kRecess, kRecess, width - kRecess, height - kRecess};
    const Arrangement at = arrange(cap, kBevel, label, font);
    return font.fitsIn(label, {at.label, Align::Centre, {at.lamp}});
}

std::vector<Canvas> pushButtonFrames(int width, int height, const std::string& label, const LetterFont& font) {
    return {buttonFrame(width, height, label, font, Face::Up),
            buttonFrame(width, height, label, font, Face::Down),
            buttonFrame(width, height, label, font, Face::Disabled)};
}

} // namespace q71::mkdata
