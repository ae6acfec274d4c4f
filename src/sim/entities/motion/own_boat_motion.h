#pragma once
// The motion of the player's boat: the submarine's motion and what the crew stations work with.
// The engine telegraph; ballast tanks with their vents, the emergency blow and the compressed
// air; the dive and surface sequences with the crew's reports; five masts that break when the
// boat runs too fast with them raised; the floating wire antenna; two towed arrays (P and S)
// and the towed-array sonar that listens through the selected one; and the soundings and track
// the fathometer and the navigation plot draw. The stations read and set the public fields and
// call the operations below (docs/own-boat.md); there is exactly one own boat.

#include "sim/entities/motion/depth_history.h"
#include "sim/entities/motion/station_settings.h"
#include "sim/entities/motion/submarine_motion.h"

#include <array>
#include <cstdint>
#include <deque>
#include <span>

namespace q71 {

class OwnShipEntity;

/// The own boat's masts, in the order the boat keeps them.
enum Mast : int {
    kMastEsm = 0,
    kMastRadio = 1, ///< the radio antenna
    kMastRadar = 2,
    kMastPeriscope = 3,
    kMastSnorkel = 4,
};
inline constexpr int kMastCount = 5;

/// States of a two-position device.
enum DeviceState : std::int32_t {
    kDeviceLowered = 0,
    kDeviceRaised = 1,
    kDeviceBroken = 2,
};

/// A two-position device: the state last ordered, and the game time at which that order completes.
struct TwoPositionDevice {
    std::int32_t state = kDeviceLowered;
    double completionTime = 0.0;
};

/// The state a two-position device is seen in: a broken one (2) stays broken; once the game clock
/// has reached the completion time, the ordered state; before it the opposite (a mast ordered up
/// still reads as lowered, one ordered down as raised).
std::int32_t effectiveDeviceState(std::int32_t state, double completionTime);

/// The own boat's equipment, as its failure and repair events name it.
enum OwnBoatEquipment : std::int32_t {
    kEquipmentPeriscope = 1,
    kEquipmentEsm = 2,
    kEquipmentRadio = 3,
    kEquipmentRadar = 4,
    kEquipmentSnorkel = 5,
    kEquipmentArrayP = 6,
    kEquipmentArrayS = 7,
    kEquipmentWire = 8,
};

/// Kinds of the own boat's equipment events in the replay log.
enum OwnBoatEventKind : std::int32_t {
    kEventEquipmentFailed = 11,
    kEventEquipmentRepaired = 12,
    kEventSurfaceOrdered = 14,
    kEventDiveOrdered = 15,
};

/// The two towed arrays, named by the letters the crew uses.
enum class TowedArray { P, S };

class OwnShipMotion final : public SubmarineMotion {
public:
    static constexpr double kMastTravelTime = 10.0;  ///< game seconds a mast takes to go up or down
    static constexpr double kWireFullLength = 370.4; ///< metres of floating wire
    static constexpr int kWaypointCapacity = 16;
    /// Slots of stationSettings that the fathometer's knobs keep: the time scale (0: the last hour)
    /// and the depth scale (2: 1,524 m full scale).
    static constexpr int kFathometerTimeScaleSetting = 29;
    static constexpr int kFathometerDepthScaleSetting = 30;

    /// The model of the own boat, its top speed raised by the propulsion upgrade (40) or the fast
    /// boat option (50).
    explicit OwnShipMotion(OwnShipEntity& owner);

    // The operations the own boat replaces.

    /// The own boat's step: its receivers, collisions, speed, course and depth, the dive or
    /// surface sequence, the motion through the water; then the soundings, the towed arrays, the
    /// damage by speed, the compressor, the ballast and the floating wire; the repair, the
    /// network state, the position event and last the vertical step.
    void integrate(double dt) override;
    /// Orders a depth (a z value; shallower than 12 ft is the surface). Crossing 12 ft starts the
    /// dive or the surface sequence; a deep order at periscope depth with a mast up warns.
    void setOrderedDepth(double z) override;
    /// Runs (1) or stops (0) the snorkel blower, raising or lowering the snorkel; a broken snorkel
    /// refuses. Returns the blower's state.
    int setSnorkel(int on) override;
    /// Opens (1) or shuts (0) the ballast tanks' vents.
    void setMode(int vent) override;
    /// Breaks every raised mast (a hull struck them); true when one was raised.
    bool strikeMasts() override;
    /// The air left: a launch fails below 40.
    double launchValue() const override { return airBank; }
    /// Keeps the navigation chart's waypoints (the first 16) to be saved with the boat.
    void storePlottedWaypoints(std::span<const WorldPoint> plotted) override;
    /// Reads the submarine's block, the own boat's block and the sounding rings; false on a short or
    /// damaged input.
    bool load(ByteSource& source) override;
    /// Writes what load reads; false on a write error.
    bool save(ByteSink& sink) const override;

    // What the stations call.

    /// Rings the engine telegraph: −5 (astern) to 5 (flank); the ordered speed follows the bell.
    void setEngineOrder(int step);
    /// Runs (1) or stops (0) the air compressor; returns its state.
    int setCompressor(int on);
    /// Makes the other towed array the selected one: the two lengths change places and the
    /// towed-array sonar follows the newly selected array. The station changes arraySelector first.
    void swapArrays();
    /// Raises or lowers a two-position device: a broken one stays broken, one already ordered so is
    /// left as it is, otherwise the order completes kMastTravelTime seconds from now.
    void orderMast(Mast mast, bool raise);
    /// A towed array's deployed length in metres (−1 once lost): the selected array's is
    /// arrayLength1, the other's arrayLength2 (arraySelector set: P is the selected one).
    double& towedArrayLength(TowedArray which);
    /// A towed array's winch: above 0 streams it, below 0 hauls it in (arrayOrder1 drives the
    /// selected array, arrayOrder2 the other).
    double& towedArrayOrder(TowedArray which);
    /// The selected towed array.
    TowedArray selectedArray() const { return arraySelector != 0 ? TowedArray::P : TowedArray::S; }
    /// Writes an equipment event to the replay log: kind 11 failed, 12 repaired, 14 surface
    /// ordered, 15 dive ordered, with the equipment (0: the boat itself).
    void logEquipmentEvent(std::int32_t kind, std::int32_t equipment) const;
    /// Works out what follows from the boat's place once the mission has put it at its start: the
    /// pose the collisions see, and the tanks blown for a start at the surface, flooded below it.
    void placed();
    /// True when any mast is raised (ordered up, whether or not it is up yet).
    bool anyMastRaised() const;

    // State the stations read and set.

    DepthHistory depthHistory;
    std::array<TwoPositionDevice, kMastCount> masts{}; ///< by Mast
    std::array<double, kMastCount> mastDamageTimers{}; ///< by Mast: when a mast run too fast breaks; 0 none
    double radioRepairTime = 0.0;                      ///< kept with a broken radio antenna
    std::int32_t radarRingsOn = 1;                     ///< the radar station's range rings
    std::int32_t radarRingSpacing = 4;
    std::int32_t radarRangeScale = 5;
    double wireLength = 0.0;     ///< metres of floating wire out; −1 while cut
    std::int32_t wireOrder = 0;  ///< above 0 pays out, below 0 reels in
    double wireRepairTime = 0.0; ///< when a cut wire is whole again
    double arrayOrder1 = 0.0;    ///< the selected array's winch
    double arrayOrder2 = 0.0;    ///< the other array's winch
    double airBank = 93.0;       ///< compressed air, 0 to 100
    std::int32_t compressorOn = 0;
    std::int32_t hfSonarOn = 0;    ///< the ship control's high-frequency sonar switch (0 or 1)
    std::int32_t blowLeverSet = 0; ///< the ship control's emergency-blow lever is down (0 or 1)
    std::int32_t periscopeNightVision = 0; ///< the periscope's night vision (0 or 1); not saved
    std::int32_t diving = 0;    ///< the dive sequence runs
    std::int32_t surfacing = 0; ///< the surface sequence runs
    /// Settings the station screens keep with the boat (sonar displays, fathometer knobs).
    /// The sonar settings are named in station_settings.h, which reads them.
    std::array<std::int32_t, kStationSettingCount> stationSettings = kStationSettingDefaults;
    /// The navigation plot's waypoints, copied here to be saved with the mission.
    std::array<TrackPosition, kWaypointCapacity> waypoints{};
    std::int32_t waypointCount = 0;
    double lastLowerMastsCue = -1.0; ///< game time the crew last asked for the masts down; −1 never
    /// Where the boat has been, newest first, a point every 10 m travelled (the 3-D views draw the
    /// towed array streaming along it); not saved.
    std::deque<std::array<double, 3>> recentTrack;
    static constexpr double kTrackSpacing = 10.0;
    static constexpr std::size_t kTrackPoints = 100;

    // The sequences' progress (the running one's is saved).
    std::int32_t diveStep = 0;
    double diveTimer = 0.0;
    std::int32_t surfaceStep = 0;
    double surfaceTimer = 0.0;
    std::int32_t airCeiling = 100; ///< the compressor fills the bank up to this, 10 over the last snorkel run

private:
    void stepReceivers(double dt);
    void recordSoundings();
    void stepDiveSequence();
    void recordTrack();
    void stepSurfaceSequence();
    void askMastsDownWhenDue();
    void reportPosition();
    void stepBallast(double dt);
    void stepCompressor(double dt);
    void stepMastDamage();
    void breakMast(Mast mast);
    void stepWireDamage();
    void payOutWire(double dt);
    void deployArrays(double dt);
    void loseArraysAstern();
    void keepArraySonarInStep();

    OwnShipEntity& boat_;
};

} // namespace q71
