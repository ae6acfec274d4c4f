#pragma once
// What the TMA station keeps for the whole mission, whether its screen is open or not: the
// operator's solution and its holds, the selected contacts, the plot's view and drag, and the
// fixes the plot last showed (which the residual strip is drawn from).

#include <array>
#include <cstdint>
#include <string>

namespace q71 {

struct ContactRecord;

/// Most fixes the residual strip shows.
inline constexpr int kTmaResidualCount = 240;

/// The solution the operator works on. Ranges are yards, positions world metres, speed in speed
/// units (0.508 m/s).
struct TmaSolution {
    double bearing = 0.0;
    double range = 0.0;
    double course = 0.0;
    double speed = 0.0;
    double targetX = 0.0, targetY = 0.0; ///< where the solution puts the target now
    double startX = 0.0, startY = 0.0;   ///< the target at the earliest fix shown (the line's tail)
    double lastUpdate = 0.0;             ///< game time of the last dead reckoning
};

enum TmaHold : int { kHoldBearing = 0, kHoldRange = 1, kHoldCourse = 2, kHoldSpeed = 3 };

enum TmaDrag : int { kDragNone = 0, kDragTail = 1, kDragLine = 2, kDragHead = 3 };

/// A fix shown on the plot, as the residual strip needs it.
struct TmaResidual {
    double time = 0.0;
    double bearing = 0.0;          ///< measured, degrees
    double ownX = 0.0, ownY = 0.0; ///< the sensor's place at the fix
};

struct TmaPlotView {
    double centreX = 0.0, centreY = 0.0;
    double scale = 2.5;
    bool centred = false; ///< the plot was first centred on the own boat
};

struct TmaState {
    TmaSolution solution;
    std::array<bool, 4> holds{};

    ContactRecord* selected = nullptr;
    int firstIndex = -1, secondIndex = -1;
    std::string firstText, secondText; ///< the two lists' selections

    TmaPlotView view;
    double historyStart = 0.0; ///< fixes at or before this game time are not shown

    int drag = kDragNone;
    double tailPixelX = 0.0, tailPixelY = 0.0, headPixelX = 0.0, headPixelY = 0.0;

    std::array<TmaResidual, kTmaResidualCount> residuals{};
    int residualCount = 0;
    double earliest = -1.0, latest = -1.0; ///< times of the fixes shown; −1 when none
    bool sonarSources = false;             ///< the four passive sonar types are shown together
};

/// The station's state (one for the program).
TmaState& tmaState();
/// Everything back to a new station's: no selection, no holds, the view at its first scale.
void tmaResetState(double gameClock, int historyWindow);

} // namespace q71
