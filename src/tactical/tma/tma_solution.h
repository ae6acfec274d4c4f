#pragma once
// The arithmetic of the TMA plot: the plot's frame, the solution moved on by dead reckoning, the
// operator's typed values, the three drags of the solution line, and the residual strip.

#include "platform/geometry/rect.h"
#include "tactical/tma/tma_state.h"

namespace q71 {

/// The plot's size in pixels.
inline constexpr int kTmaPlotWidth = 277;
inline constexpr int kTmaPlotHeight = 265;
/// Speed units to yards a second: 0.508 m/s in yards.
inline constexpr double kSpeedUnitYards = 0.508 * 1.0936;

/// A point of the plot in pixels (not rounded).
struct TmaPixel {
    double x = 0.0, y = 0.0;
};

/// The pixel of a world point, and the world point of a pixel.
TmaPixel tmaToPixel(const TmaPlotView& view, double x, double y);
void tmaToWorld(const TmaPlotView& view, double px, double py, double& x, double& y);

/// Holds the solution's range within 0..99999 yards and its speed within 0..99, as its readouts
/// show them (values taken from elsewhere, a contact's, may lie outside).
void tmaKeepLimits(TmaSolution& solution);

/// A point moved `seconds` along a course at a speed (negative seconds move it back).
void tmaRunOn(double x, double y, double course, double speed, double seconds, double& outX, double& outY);

/// The solution moved on to the game clock, from the own boat at (ownX, ownY): the target runs on
/// along its course; range and bearing follow unless held (a target beyond 99999 yards is held there).
void tmaAdvance(TmaSolution& solution, const std::array<bool, 4>& holds, double ownX, double ownY,
                double gameClock);

/// A typed value taken into the solution (commands 29 to 32): bearing and course modulo 360,
/// range at most 99999, speed at most 99; bearing and range place the target from the own boat.
void tmaCommitValue(TmaSolution& solution, int command, int value, double ownX, double ownY);

/// The plot zoomed in (doubled while below 160); true when it changed.
bool tmaZoomIn(TmaPlotView& view);
/// The plot zoomed out (halved), or at 0.01 or less centred on the own boat instead.
void tmaZoomOut(TmaPlotView& view, double ownX, double ownY);
/// The plot panned by a command 11 to 14 (west, east, north, south).
void tmaPan(TmaPlotView& view, int command);

/// The solution line now: its head (the target at the latest fix shown, or now without fixes) and
/// its tail (the target at the earliest), world metres.
struct TmaLine {
    double headX = 0.0, headY = 0.0, tailX = 0.0, tailY = 0.0;
};
TmaLine tmaSolutionLine(const TmaSolution& solution, double earliest, double latest, double gameClock);

/// The residual of a fix (measured minus solution bearing, −180..180) against the line.
double tmaResidual(const TmaLine& line, const TmaResidual& fix, double earliest, double latest);
/// The strip's half width: the smallest whole degree 1 to 5 that holds the largest residual (5 when
/// none does).
int tmaStripHalfWidth(double largestResidual);

/// What a press at a pixel grabs of the line (kDragNone for nothing).
int tmaGrab(const TmaState& state, double px, double py);
/// The drag moved to a pixel: the solution follows by the dragged part and the holds.
void tmaDragTo(TmaState& state, double px, double py, double ownX, double ownY, double gameClock);

} // namespace q71
