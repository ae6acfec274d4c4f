#include "sim/simulation/tactical_symbols.h"

#include "framework/app/shell_fonts.h"
#include "framework/math/fast_math.h"
#include "platform/gdi/device_context.h"
#include "sim/simulation/tactical_symbol_shapes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace q71 {

namespace {

constexpr int kSymbolFont = 3;
constexpr double kLongestLeader = 15.0; ///< pixels, reached at 7.5 knots
constexpr double kLeaderPerKnot = 2.0;
constexpr ColorRef kShadowColour = 0;
constexpr int kRingLeft = 8;  ///< the ring's box runs from centre − 8 ...
constexpr int kRingRight = 9; ///< ... to centre + 9, one pixel past the circle

struct Offset {
    int dx = 0;
    int dy = 0;
};
constexpr Offset kShadowOffset{-1, 1}; ///< the shadow stands a pixel left and below

// The leader's far end from the centre, cut toward zero to whole pixels. Astern speeds point it
// backwards; its length is held within the longest leader either way, and a speed or course
// that is not a number draws none, so a wild value never draws a line across the chart.
Offset leaderEnd(double course, double speed) {
    const double length = std::clamp(kLeaderPerKnot * speed, -kLongestLeader, kLongestLeader);
    if (!std::isfinite(length) || !std::isfinite(course))
        return {};
    return {static_cast<int>(length * tableSinDegrees(course)),
            static_cast<int>(-length * tableCosDegrees(course))};
}

// One stroke of a shape, drawn as one polyline when it has two points or more.
class Stroke {
public:
    explicit Stroke(DeviceContext& dc) : dc_(dc) {}
    void add(Point point) { points_[count_++] = point; } // the tables' strokes fit (see the shapes)
    void draw() {
        if (count_ >= 2)
            dc_.polyline({points_.data(), count_});
        count_ = 0;
    }

private:
    DeviceContext& dc_;
    std::array<Point, kSymbolStrokePoints> points_{};
    std::size_t count_ = 0;
};

// Where the label starts: just below and right of the farthest points of the shapes.
Offset labelOffset(const SymbolStyle& style) {
    Offset farthest;
    for (SymbolShape shape : style.drawn())
        for (const SymbolPoint& point : shape)
            farthest = {std::max(farthest.dx, point.dx), std::max(farthest.dy, point.dy)};
    return {farthest.dx + 1, farthest.dy + 1};
}

void drawSymbolOnce(DeviceContext& dc, const SymbolStyle& style, Point centre, ColorRef colour, Offset leader,
                    int ring, const char* label) {
    const Pen previous = dc.selectPen(createPen(PenStyle::Solid, 0, colour));
    Stroke stroke(dc);
    for (SymbolShape shape : style.drawn()) {
        for (const SymbolPoint& point : shape) {
            if (point.move)
                stroke.draw();
            const Point at{centre.x + point.dx, centre.y + point.dy};
            stroke.add(at);
            if (point.pixel)
                dc.setPixel(at, colour);
        }
        stroke.draw();
    }
    dc.moveTo({centre.x + leader.dx, centre.y + leader.dy});
    dc.lineTo(centre);
    dc.setPixel(centre, colour);
    if (ring) {
        // The ring is the whole circle. Its arc runs from the east point round to the pixel below
        // it, which the window system closes; our drawing layer leaves that last pixel open unless
        // both ends are the same point, which it takes as the whole ellipse.
        const Point east{centre.x + kRingRight, centre.y};
        dc.arc({centre.x - kRingLeft, centre.y - kRingLeft, centre.x + kRingRight, centre.y + kRingRight},
               east, east);
    }
    if (label) {
        const unsigned previousAlign = dc.setTextAlign(kTaLeft | kTaTop);
        dc.setBkMode(kTransparent);
        dc.setTextColor(colour);
        const Offset at = labelOffset(style);
        dc.textOut({centre.x + at.dx, centre.y + at.dy}, label);
        dc.setTextAlign(previousAlign);
    }
    dc.selectPen(previous);
}

} // namespace

void worldDrawTacticalSymbol(DeviceContext& dc, int ring, int x, int y, int affiliation, int category,
                             double course, double speed, const char* label) {
    dc.selectFont(appInterfaceFont(kSymbolFont));
    const SymbolStyle style = tacticalSymbolStyle(affiliation, category);
    const Offset leader = leaderEnd(course, speed);
    drawSymbolOnce(dc, style, {x + kShadowOffset.dx, y + kShadowOffset.dy}, kShadowColour, leader, ring,
                   label);
    drawSymbolOnce(dc, style, {x, y}, style.colour, leader, ring, label);
}

void worldDrawSymbolForKind(DeviceContext& dc, int ring, int x, int y, int affiliation, int kind,
                            double course, double speed, const char* label) {
    worldDrawTacticalSymbol(dc, ring, x, y, affiliation, tacticalCategoryForKind(kind), course, speed, label);
}

Rect worldTacticalSymbolBounds(int affiliation, int category, const char* label) {
    const SymbolStyle style = tacticalSymbolStyle(affiliation, category);
    const int leader = static_cast<int>(kLongestLeader);
    Rect box{-leader, -leader, leader + 1, leader + 1};
    for (SymbolShape shape : style.drawn())
        for (const SymbolPoint& point : shape)
            box = box.united({point.dx, point.dy, point.dx + 1, point.dy + 1});
    if (const FontRef font = appInterfaceFont(kSymbolFont); label && font) {
        const Offset at = labelOffset(style);
        box = box.united(font->inkBounds(label).offsetBy(at.dx, at.dy));
    }
    return box.united(box.offsetBy(kShadowOffset.dx, kShadowOffset.dy));
}

void worldDrawSymbolLook(DeviceContext& dc, int x, int y, const TacticalSymbolLook& look) {
    if (look.shown)
        worldDrawTacticalSymbol(dc, 0, x, y, look.affiliation, look.category, look.course, look.speed,
                                look.label.empty() ? nullptr : look.label.c_str());
}

Rect worldSymbolLookBounds(const TacticalSymbolLook& look) {
    const Rect centre{0, 0, 1, 1};
    if (!look.shown)
        return centre;
    return centre.united(
        worldTacticalSymbolBounds(look.affiliation, look.category, look.label.empty() ? nullptr : look.label.c_str()));
}

} // namespace q71
