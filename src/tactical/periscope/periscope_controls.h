#pragma once
// What the periscope panel works out apart from its window: the magnification steps, training
// by the buttons, the mast's shown travel and the optic's view state, the target on the line of
// sight, and the ESM receiver's level with its tone and lamps.

#include "sim/entities/sensors/sonar_rows.h"
#include "tactical/periscope/scope_optics.h"

#include <array>
#include <cstdint>
#include <span>

namespace q71 {

inline constexpr std::array<double, 4> kScopeMagnifications{1.5, 6.0, 12.0, 24.0};
inline constexpr int kScopeMagnificationSteps = 4;
/// Shown mast height when fully raised; the optic shows above half of it.
inline constexpr float kScopeMastTop = 14.0f;

/// The magnification index stepped by +1 or −1, kept within 0 ... 3.
int scopeStepMagnification(int index, int step);
/// The optic's field of view (degrees) at the index: 48 / magnification.
double scopeFieldOfView(int index);

enum class ScopeButton { TrainLeft, TiltDown, TiltUp, TrainRight };
/// One press of a training button: 3 degrees (15 with Shift) or 1.5 degrees of tilt, divided by
/// the magnification; the bearing wraps into 0 ... 2 pi, the tilt stops at its limits.
ScopeAngles scopeTrainByButton(ScopeAngles from, ScopeButton button, int magnificationIndex, bool shift);

/// The mast as the panel shows it: 2 units a second of game time toward its end of travel.
struct ScopeMast {
    float height = 0.0f;
    int motion = 0; ///< +1 rising, −1 lowering, 0 still
    void step(double dt);
};

enum ScopeViewState : int { kScopeViewUnknown = -1, kScopeViewHidden = 0, kScopeViewShown = 1, kScopeViewOutOfAction = 2 };
/// The view state the optic should take: out of action by the device, else shown above half
/// height.
ScopeViewState scopeViewFor(std::int32_t effectiveState, float shownHeight);

/// A thing the line of sight may fall on (world metres).
struct ScopeCandidate {
    std::int32_t id;
    double x, y, z;
};
/// The candidate nearest the line of sight (true degrees) within 16 degrees, a metre of range
/// counting as a thousandth of a degree; submerged candidates are left out. 0 when none.
std::int32_t scopePickTarget(double ownX, double ownY, double lineOfSight, std::span<const ScopeCandidate> candidates);

/// The ESM level 0 ... 9 from the receiver's rows at game time `now` (rows fade over 5 s).
double scopeEsmLevel(const SoundRing<BroadbandRow>& rows, double now);
/// The tone's volume, 0 ... 100.
int scopeEsmVolume(double level);
/// The lamps lit, 0 ... 9.
int scopeEsmLamps(double level);

} // namespace q71
