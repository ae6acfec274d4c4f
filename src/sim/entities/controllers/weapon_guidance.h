#pragma once
// The guidance of a weapon: a torpedo, a missile or its capsule, and a rocket that carries a
// torpedo. It runs the weapon on its launch presets, arms the seeker after the enable run,
// searches, homes on its target and detonates, and ends the run; a missile flies its waypoints
// over the terrain; a rocket releases its torpedo at a target. It also carries the guidance wire
// through which fire control steers a torpedo (slots 4 to 7 of the controller).
//
// Heights are metres, negative below the surface. The launch fills the presets; the target is a
// contact of the weapon, looked up in the world by its entity id at every use.

#include "sim/entities/controllers/entity_controller.h"

namespace q71 {

class MotionModel;

/// The run before the seeker is armed again after fire control disarms it: 45720 m, the 50,000
/// yards that the console's enable setting reaches at most.
inline constexpr double kDisarmedEnableRange = 45720.0;

class GuidanceController final : public EntityController {
public:
    /// The guidance of a weapon, at the weapon's own level, with its wire connected.
    explicit GuidanceController(Entity& owner);

    /// Rates a contact of the weapon as a target (reaction 12 when taken, 0 when rejected); the
    /// nearest taken one becomes the target.
    void postEncounterEvent(ContactRecord& contact, int relayFlag) override;
    /// The guidance step over dt seconds.
    void update(double dt) override;
    /// 1 while the weapon carries a sensor.
    int hasSeeker() override;
    /// Non-zero arms the seeker now (building it for the seeker mode); 0 disarms it.
    void configureSeeker(std::int32_t on) override;
    int isWireConnected() override { return wireConnected; }
    /// Turns the preset course by a signed step while the wire is connected.
    void stepGuidance(double step) override;

    /// True while the weapon's motion runs the guidance at every sub-step as well: while it homes
    /// with its seeker armed, and while its target's reaction word is 1, armed or not.
    bool steersEverySubStep() const;

    double lastWarningTime = 0.0; ///< game time of the last incoming-torpedo report
    double launchX = 0.0, launchY = 0.0;
    double runEndTime = 0.0;   ///< game time the run ends (a rocket: of its next release)
    double enableRange = 0.0;  ///< metres from the launch point where the seeker arms; 0 when armed
    double presetCourse = 0.0; ///< degrees
    double presetSpeed = 0.0;
    std::int32_t searchPattern = 0;  ///< 0 snake, 1 circle, other straight
    std::int32_t designatedKind = 0; ///< a missile's target kind
    std::int32_t seekerMode = 0;     ///< sensor type of the seeker: 2 passive, 4 active, 7 radar
    double searchSpeed = 0.0;
    double searchDepth = 0.0;
    double ceiling = 0.0; ///< highest ordered height
    double floor = 0.0;   ///< lowest ordered height; a missile's cruise height over the terrain
    std::int32_t wireConnected = 1;

    bool seekerArmed() const override { return enableRange == 0.0; }

protected:
    void saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& block) const override;
    bool loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& block) override;

private:
    /// What one guidance step knows of its target, refreshed from the target's entity.
    struct TargetView {
        Entity* entity = nullptr; ///< null when it is gone (or there is no target)
        double height = 0.0;      ///< its previous-step height; where the weapon's fixes put it when gone
    };

    bool rateContact(const ContactRecord& contact);
    TargetView refreshTarget(const MotionModel& motion);
    void releaseTorpedo();
    bool endRun(MotionModel& motion);
    bool flyWaypoints(MotionModel& motion, const TargetView& view);
    void followTerrain(MotionModel& motion);
    void armAtEnableRun(MotionModel& motion);
    void runBeforeEnable(MotionModel& motion);
    bool runArmed(MotionModel& motion, const TargetView& view, double dt, double effectiveFloor);
    void search(MotionModel& motion, double dt, double effectiveFloor);
    bool turnAway(MotionModel& motion, const TargetView& view);
    void detonate(MotionModel& motion, const TargetView& view);
    void home(MotionModel& motion);
    void dropStaleTarget();
    void warnOwnShip(const MotionModel& motion);
    /// Orders a height held between the ceiling and the floor (the floor wins when they cross).
    void orderHeight(MotionModel& motion, double height) const;
    bool isMissile() const;
};

/// The position a motion model had at the last pass of the main loop (its smoothed state), or
/// its present one before it has any.
WorldPoint previousStepPoint(const MotionModel& motion);

} // namespace q71
