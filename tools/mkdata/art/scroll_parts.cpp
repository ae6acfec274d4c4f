#include "mkdata/art/scroll_parts.h"

#include "mkdata/art/look.h"

namespace q71::mkdata {

std::vector<Canvas> scrollArrowFrames(int size, bool up) {
    std::vector<Canvas> strip;
    for (int f = 0; f < 3; ++f) {
        Canvas frame(size, size);
        const bool down = f == 1;
        fillRect(frame, Rect{0, 0, size, size}, palette::kSteelLight, palette::kSteel, 0, 0.0f);
        bevel(frame, Rect{0, 0, size, size}, 1, !down);
        const double shift = down ? 1.0 : 0.0;
        const double mid = size / 2.0 + shift, top = size * 0.3 + shift, bottom = size * 0.7 + shift;
        const double half = size * 0.28;
        if (up)
            frame.polygon({{mid, top}, {mid + half, bottom}, {mid - half, bottom}}, palette::kLabel);
        else
            frame.polygon({{mid - half, top}, {mid + half, top}, {mid, bottom}}, palette::kLabel);
        if (f == 2)
            frame.darken(0.6f);
        strip.push_back(std::move(frame));
    }
    return strip;
}

Canvas scrollThumb(int size) {
    Canvas thumb(size, size);
    fillRect(thumb, Rect{0, 0, size, size}, palette::kSteelHighlight, palette::kSteelLight, 0, 0.0f);
    bevel(thumb, Rect{0, 0, size, size}, 1, true);
    for (int i = -1; i <= 1; ++i)
        engravedLine(thumb, {size * 0.3, size / 2.0 + 3 * i}, {size * 0.7, size / 2.0 + 3 * i});
    return thumb;
}

Canvas scrollTrack(int width, int length) {
    Canvas track(width, length);
    const Rect all{0, 0, width, length};
    const Colour floor = shade(palette::kSteelDark, -0.55f);
    fillRect(track, all, floor, floor, 1602, 0.03f);
    bevel(track, all, 1, false);
    return track;
}

} // namespace q71::mkdata
