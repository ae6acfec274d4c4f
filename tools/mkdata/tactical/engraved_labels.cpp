#include "mkdata/tactical/engraved_labels.h"

#include "mkdata/art/look.h"

#include <algorithm>

namespace q71::mkdata {
namespace {

// The rows a line of the labels' face fills from the top of an accented capital to the foot of a
// descender (13 in the narrow bold face), its relief's row and a blank row above and below.
constexpr int kFaceHeight = 16;
// The rows of the face above the capitals (an accent and the blank row) and below them (a
// descender, the relief and the blank row).
constexpr int kAccentRows = 4;
constexpr int kDescentRows = 4;

bool sharesColumns(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right;
}
bool sharesRows(const Rect& a, const Rect& b) {
    return a.top < b.bottom && b.top < a.bottom;
}

} // namespace

LabelPlace engravedLabelPlace(const Rect& spot, std::span<const Rect> taken, const Rect& panel, int growth) {
    const int middleRow = (spot.top + spot.bottom) / 2;
    const int middleColumn = (spot.left + spot.right) / 2;
    // Art in the hot spot's middle row (a control set in the end of it) cuts it short.
    Rect face = spot.intersected(panel);
    for (const Rect& art : taken)
        if (art.top <= middleRow && middleRow < art.bottom && sharesColumns(art, face)) {
            if (art.left > middleColumn)
                face.right = art.left;
            else
                face.left = art.right;
        }
    // The free rows above and below it; the face centred on the hot spot's middle within them.
    int top = panel.top, bottom = panel.bottom;
    for (const Rect& art : taken)
        if (sharesColumns(art, face)) {
            if (art.bottom <= middleRow)
                top = std::max(top, art.bottom);
            else if (art.top > middleRow)
                bottom = std::min(bottom, art.top);
        }
    const int height = std::min(kFaceHeight, bottom - top);
    face.top = std::clamp(middleRow - height / 2, top, bottom - height);
    face.bottom = face.top + height;
    // As wide on each side as the art beside the capitals' rows lets it on both, so that the
    // label stays centred on its hot spot.
    const Rect capitals{panel.left, face.top + kAccentRows, panel.right, face.bottom - kDescentRows};
    Rect grown{face.left - growth, face.top, face.right + growth, face.bottom};
    grown = grown.intersected(panel);
    const int centre = (face.left + face.right) / 2;
    for (const Rect& art : taken)
        if (sharesRows(art, capitals) && sharesColumns(art, grown)) {
            if (art.right <= centre)
                grown.left = std::max(grown.left, art.right);
            else
                grown.right = std::min(grown.right, art.left);
        }
    const int spare = std::max(0, std::min(face.left - grown.left, grown.right - face.right));
    LabelPlace place{face.inflatedBy(spare, 0), Align::Centre, {}};
    for (const Rect& art : taken)
        if (art.intersects(place.face))
            place.keepClear.push_back(art);
    return place;
}

} // namespace q71::mkdata
