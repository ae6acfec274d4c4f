#include "tactical/tma/tma_solution.h"

#include "sim/simulation/geometry.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr double kPlotCentreX = 138.5;
constexpr double kPlotCentreY = 132.5;
constexpr double kMaxRange = 99999.0;
constexpr double kMaxSpeed = 99.0;
constexpr double kZoomLimit = 160.0;
constexpr double kZoomOutLimit = 0.01;
constexpr double kYardsPerSecondToSpeed = 1.8;

void placeTarget(TmaSolution& solution, double ownX, double ownY) {
    geoProject(ownX, ownY, solution.bearing, solution.range, solution.targetX, solution.targetY);
}

void followTarget(TmaSolution& solution, const std::array<bool, 4>& holds, double ownX, double ownY) {
    const double dx = solution.targetX - ownX, dy = solution.targetY - ownY;
    const double yards = geoRange(dx, dy) * kMetresToYards;
    if (!holds[kHoldRange]) {
        solution.range = std::min(yards, kMaxRange);
        // A target run past the readout's reach is held at its edge, on the line it came along.
        if (yards > kMaxRange) {
            solution.targetX = ownX + dx * kMaxRange / yards;
            solution.targetY = ownY + dy * kMaxRange / yards;
        }
    }
    if (!holds[kHoldBearing])
        solution.bearing = geoBearing(dx, dy);
}

double distance(double ax, double ay, double bx, double by) {
    return std::hypot(bx - ax, by - ay);
}

} // namespace

TmaPixel tmaToPixel(const TmaPlotView& view, double x, double y) {
    return {kPlotCentreX + (x - view.centreX) * view.scale / kTmaPlotWidth,
            kPlotCentreY - (y - view.centreY) * view.scale / kTmaPlotHeight};
}

void tmaToWorld(const TmaPlotView& view, double px, double py, double& x, double& y) {
    x = view.centreX + (px - kPlotCentreX) * kTmaPlotWidth / view.scale;
    y = view.centreY - (py - kPlotCentreY) * kTmaPlotHeight / view.scale;
}

void tmaKeepLimits(TmaSolution& solution) {
    solution.range = std::clamp(solution.range, 0.0, kMaxRange);
    solution.speed = std::clamp(solution.speed, 0.0, kMaxSpeed);
}

void tmaRunOn(double x, double y, double course, double speed, double seconds, double& outX, double& outY) {
    geoProject(x, y, course, seconds * speed * kSpeedUnitYards, outX, outY);
}

void tmaAdvance(TmaSolution& solution, const std::array<bool, 4>& holds, double ownX, double ownY,
                double gameClock) {
    const double dt = gameClock - solution.lastUpdate;
    tmaRunOn(solution.targetX, solution.targetY, solution.course, solution.speed, dt, solution.targetX,
             solution.targetY);
    followTarget(solution, holds, ownX, ownY);
    solution.lastUpdate = gameClock;
}

void tmaCommitValue(TmaSolution& solution, int command, int value, double ownX, double ownY) {
    const double v = std::max(value, 0);
    switch (command) {
    case 29:
        solution.bearing = std::fmod(v, 360.0);
        placeTarget(solution, ownX, ownY);
        break;
    case 30:
        solution.range = std::min(v, kMaxRange);
        placeTarget(solution, ownX, ownY);
        break;
    case 31:
        solution.course = std::fmod(v, 360.0);
        break;
    case 32:
        solution.speed = std::min(v, kMaxSpeed);
        break;
    default:
        break;
    }
}

bool tmaZoomIn(TmaPlotView& view) {
    if (view.scale >= kZoomLimit)
        return false;
    view.scale *= 2.0;
    return true;
}

void tmaZoomOut(TmaPlotView& view, double ownX, double ownY) {
    if (view.scale <= kZoomOutLimit) {
        view.centreX = ownX;
        view.centreY = ownY;
    } else {
        view.scale /= 2.0;
    }
}

void tmaPan(TmaPlotView& view, int command) {
    // About a tenth of the plot: 27.5, 26.5, 26.5 and 25.5 pixels.
    switch (command) {
    case 11:
        view.centreX -= 7617.5 / view.scale;
        break;
    case 12:
        view.centreX += 7340.5 / view.scale;
        break;
    case 13:
        view.centreY += 7022.5 / view.scale;
        break;
    case 14:
        view.centreY -= 6757.5 / view.scale;
        break;
    default:
        break;
    }
}

TmaLine tmaSolutionLine(const TmaSolution& solution, double earliest, double latest, double gameClock) {
    TmaLine line{solution.targetX, solution.targetY, solution.targetX, solution.targetY};
    if (earliest < 0.0)
        return line;
    tmaRunOn(solution.targetX, solution.targetY, solution.course, solution.speed, latest - gameClock,
             line.headX, line.headY);
    tmaRunOn(line.headX, line.headY, solution.course, solution.speed, earliest - latest, line.tailX,
             line.tailY);
    return line;
}

double tmaResidual(const TmaLine& line, const TmaResidual& fix, double earliest, double latest) {
    const double f = latest > earliest ? (fix.time - earliest) / (latest - earliest) : 0.0;
    const double x = line.tailX + f * (line.headX - line.tailX);
    const double y = line.tailY + f * (line.headY - line.tailY);
    return angleDiff(geoBearing(x - fix.ownX, y - fix.ownY), fix.bearing);
}

int tmaStripHalfWidth(double largestResidual) {
    for (int h = 1; h < 5; ++h)
        if (std::abs(largestResidual) <= h)
            return h;
    return 5;
}

int tmaGrab(const TmaState& state, double px, double py) {
    const double length = distance(state.tailPixelX, state.tailPixelY, state.headPixelX, state.headPixelY);
    const double radius = std::clamp(length / 3.0, 2.0, 10.0);
    const double midX = (state.tailPixelX + state.headPixelX) / 2.0;
    const double midY = (state.tailPixelY + state.headPixelY) / 2.0;
    if (distance(px, py, midX, midY) <= radius)
        return state.earliest >= 0.0 ? kDragLine : kDragHead;
    if (distance(px, py, state.headPixelX, state.headPixelY) <= radius)
        return kDragHead;
    if (distance(px, py, state.tailPixelX, state.tailPixelY) <= radius)
        return kDragTail;
    return kDragNone;
}

void tmaDragTo(TmaState& state, double px, double py, double ownX, double ownY, double gameClock) {
    TmaSolution& s = state.solution;
    // Seconds from the earliest fix shown to now (none without fixes: the line is a point).
    const double shown = state.earliest >= 0.0 ? gameClock - state.earliest : 0.0;
    double x = 0.0, y = 0.0;
    switch (state.drag) {
    case kDragTail: {
        tmaToWorld(state.view, px, py, s.startX, s.startY);
        double headX = 0.0, headY = 0.0;
        tmaToWorld(state.view, state.headPixelX, state.headPixelY, headX, headY);
        if (!state.holds[kHoldCourse])
            s.course = geoBearing(headX - s.startX, headY - s.startY);
        // With the earliest fix now there is no time to cover the line in: the speed stays.
        if (!state.holds[kHoldSpeed] && shown > 0.0)
            s.speed = std::min(distance(s.startX, s.startY, headX, headY) * kMetresToYards / shown *
                                   kYardsPerSecondToSpeed,
                               kMaxSpeed);
        state.tailPixelX = px;
        state.tailPixelY = py;
        break;
    }
    case kDragLine: {
        const double dx = px - (state.tailPixelX + state.headPixelX) / 2.0;
        const double dy = py - (state.tailPixelY + state.headPixelY) / 2.0;
        state.tailPixelX += dx;
        state.tailPixelY += dy;
        tmaToWorld(state.view, state.tailPixelX, state.tailPixelY, s.startX, s.startY);
        tmaRunOn(s.startX, s.startY, s.course, s.speed, shown, s.targetX, s.targetY);
        followTarget(s, state.holds, ownX, ownY);
        const TmaPixel head = tmaToPixel(state.view, s.targetX, s.targetY);
        state.headPixelX = head.x;
        state.headPixelY = head.y;
        break;
    }
    case kDragHead: {
        tmaToWorld(state.view, px, py, x, y);
        if (!state.holds[kHoldBearing])
            s.bearing = geoBearing(x - ownX, y - ownY);
        if (!state.holds[kHoldRange])
            s.range = std::min(geoRange(x - ownX, y - ownY) * kMetresToYards, kMaxRange);
        placeTarget(s, ownX, ownY);
        tmaRunOn(s.targetX, s.targetY, s.course, s.speed, -shown, s.startX, s.startY);
        const TmaPixel head = tmaToPixel(state.view, s.targetX, s.targetY);
        const TmaPixel tail = tmaToPixel(state.view, s.startX, s.startY);
        state.headPixelX = head.x;
        state.headPixelY = head.y;
        state.tailPixelX = tail.x;
        state.tailPixelY = tail.y;
        break;
    }
    default:
        break;
    }
}

} // namespace q71
