#include "mkdata/frontend/editor_marks_art.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/editor_marks.h"
#include "mkdata/art/bitmap_file.h"
#include "mkdata/art/look.h"
#include "mkdata/frontend/scenery.h"

#include <functional>
#include <stdexcept>
#include <vector>

namespace q71::mkdata {
namespace {

// The strips' key: what is not drawn of a mark. The marks are pixel work, not smoothed, so no
// pixel mixes with it.
constexpr Colour kKey = rgb(255, 0, 255);
// The sides as the charts' symbols show them, and the own boat's starts in amber.
constexpr Colour kFriendly = rgb(0, 250, 250);
constexpr Colour kHostile = rgb(250, 0, 0);
constexpr Colour kNeutral = rgb(0, 250, 0);
constexpr Colour kRoute = rgb(255, 220, 96);

using Inside = std::function<bool(int x, int y)>;

void plot(Canvas& canvas, int x, int y, Colour c) {
    if (x >= 0 && y >= 0 && x < canvas.width() && y < canvas.height())
        canvas.blend(x, y, c, 1.0f);
}

/// True when the pixel's centre lies inside the polygon (even-odd).
bool inPolygon(const std::vector<PointF>& polygon, int x, int y) {
    const double px = x + 0.5, py = y + 0.5;
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const PointF& a = polygon[i];
        const PointF& b = polygon[j];
        if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

/// A shape as pixel work: a black shadow one pixel left and below, its rim in the colour, its
/// inside a dark shade of it.
void drawShape(Canvas& canvas, const Inside& inside, Colour rim) {
    const Colour body = mixColour(palette::kBlack, rim, 0.3f);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            if (inside(x, y)) {
                const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
                plot(canvas, x, y, edge ? rim : body);
            } else if (inside(x + 1, y - 1)) {
                plot(canvas, x, y, palette::kBlack);
            }
        }
}

/// White corner brackets: the selected mark.
void drawBrackets(Canvas& canvas) {
    const int last = canvas.width() - 1;
    for (int i = 0; i < 3; ++i)
        for (const auto& [x, y] : {std::pair{i, 0}, std::pair{0, i}, std::pair{last - i, 0}, std::pair{last, i},
                                   std::pair{i, last}, std::pair{0, last - i}, std::pair{last - i, last},
                                   std::pair{last, last - i}})
            plot(canvas, x, y, palette::kWhite);
}

std::vector<PointF> frameOf(MarkSide side) {
    switch (side) {
    case MarkSide::Friendly: // an octagon
        return {{4.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 10.5}, {10.5, 13.5}, {4.5, 13.5}, {1.5, 10.5}, {1.5, 4.5}};
    case MarkSide::Hostile: // a diamond
        return {{7.5, 0.5}, {14.5, 7.5}, {7.5, 14.5}, {0.5, 7.5}};
    case MarkSide::Neutral: // a square
        return {{2.5, 2.5}, {12.5, 2.5}, {12.5, 12.5}, {2.5, 12.5}};
    }
    return {};
}

Colour colourOf(MarkSide side) {
    return side == MarkSide::Friendly ? kFriendly : side == MarkSide::Hostile ? kHostile : kNeutral;
}

Canvas blankMark(int size) {
    Canvas canvas(size, size);
    canvas.fill(kKey);
    return canvas;
}

Canvas startMark(bool selected) {
    Canvas canvas = blankMark(kObjectMarkSize);
    const auto octagon = frameOf(MarkSide::Friendly);
    const int centre = kObjectMarkSize / 2;
    drawShape(canvas, [&](int x, int y) { return inPolygon(octagon, x, y); }, palette::kAmber);
    for (int i = -3; i <= 3; ++i) {
        plot(canvas, centre + i, centre, palette::kAmber);
        plot(canvas, centre, centre + i, palette::kAmber);
    }
    if (selected)
        drawBrackets(canvas);
    return canvas;
}

/// Ships the whole frame, submarines its lower half, aircraft its upper half, stationary objects
/// the whole frame with a white dot.
Canvas unitMark(MarkSide side, MarkKind kind, bool selected) {
    Canvas canvas = blankMark(kObjectMarkSize);
    const auto frame = frameOf(side);
    const int centre = kObjectMarkSize / 2;
    drawShape(canvas,
              [&](int x, int y) {
                  if ((kind == MarkKind::Submarine && y < centre) || (kind == MarkKind::Aircraft && y > centre))
                      return false;
                  return inPolygon(frame, x, y);
              },
              colourOf(side));
    if (kind == MarkKind::Stationary)
        for (int y = centre - 1; y <= centre + 1; ++y)
            for (int x = centre - 1; x <= centre + 1; ++x)
                plot(canvas, x, y, palette::kWhite);
    if (selected)
        drawBrackets(canvas);
    return canvas;
}

Canvas waypointMark(bool selected) {
    Canvas canvas = blankMark(kWaypointMarkSize);
    drawShape(canvas, [](int x, int y) { return x >= 1 && x <= 7 && y >= 1 && y <= 7; },
              selected ? palette::kWhite : kRoute);
    return canvas;
}

} // namespace

void drawEditorMarks(const Context& context) {
    std::vector<Canvas> objects;
    for (bool selected : {false, true})
        objects.push_back(startMark(selected));
    for (int side = 0; side < kMarkSides; ++side)
        for (int kind = 0; kind < kMarkKinds; ++kind)
            for (bool selected : {false, true})
                objects.push_back(unitMark(static_cast<MarkSide>(side), static_cast<MarkKind>(kind), selected));
    // The order is the frames' (editor_marks.h): starts first, then side by side, kind by kind.
    if (objects.size() != static_cast<std::size_t>(kObjectMarkFrames))
        throw std::runtime_error("the editor's object marks do not fill their strip");
    stage(context, kEditorGroup, kObjectMarksName, frameStripFile(objects, kKey));
    const std::vector<Canvas> points{waypointMark(false), waypointMark(true)};
    stage(context, kEditorGroup, kWaypointMarksName, frameStripFile(points, kKey));
}

} // namespace q71::mkdata
