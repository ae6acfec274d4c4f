#pragma once
// The motion of one entity: its position, attitude, velocity and orders, moved once per world
// sub-step by `integrate`, which calls the other operations in a fixed order. The model also
// finds collisions with other entities, contact with the sea floor, sinking and recovery from
// damage, and reports where the entity is. Controllers and stations steer only through the
// order operations (speed, course, depth, rudder, planes). The plain model moves mines, depth
// charges, missiles and countermeasures; the vehicle models derive from it.
//
// Units: x east and y north in metres, z up in metres with the surface at 0; headings and
// angles in degrees; speeds in units of 0.508 m/s; vertical speed in m/s; times in game seconds.

#include "sim/entities/motion/track_history.h"
#include "sim/simulation/geometry.h"
#include "sim/world/object_record.h"

#include <cstdint>
#include <span>

namespace q71 {

class ByteSink;
class ByteSource;
class Entity;

/// Size of a model's saved block.
inline constexpr std::size_t kMotionBlockSize = 472;

/// The second piece of a hull that broke in two, as it sinks.
struct HullPiece {
    double x = 0.0, y = 0.0, z = 0.0;
    double offsetX = 0.0, offsetY = 0.0, offsetZ = 0.0; ///< from the first piece
    double driftBearing = 0.0;                          ///< relative to the first piece's heading
    double driftSpeed = 0.0;
    double heading = 0.0, pitch = 0.0, roll = 0.0;
    double orderedPitch = 0.0, orderedRoll = 0.0;
};

class MotionModel {
public:
    /// A model of an owner, dimensioned and limited by the owner's object record.
    explicit MotionModel(Entity& owner);
    virtual ~MotionModel() = default;
    MotionModel(const MotionModel&) = delete;
    MotionModel& operator=(const MotionModel&) = delete;

    // The operations in slot order (the destructor is slot 0).

    /// One sub-step: collisions, then sinking, or speed, course, depth, motion, repair and the
    /// vertical step; then the network state and the periodic position event.
    virtual void integrate(double dt);
    /// The drive speed lags toward the ordered speed (toward 0 while flooded aft).
    virtual void stepSpeed(double dt);
    /// The rudder slews to its order and the heading turns.
    virtual void stepCourse(double dt);
    /// Free fall and settling of bodies without depth control.
    virtual void stepDepth(double dt);
    /// Water vehicles (sub, ship, torp) move by stepHydrodynamics, all others by stepKinematic.
    virtual void stepByCategory(double dt);
    /// Straight-line motion at the drive speed.
    virtual void stepKinematic(double dt);
    /// Drift, speed loss, thrust and cavitation of water vehicles.
    virtual void stepHydrodynamics(double dt);
    /// Depth change and contact with the bottom.
    virtual void stepVertical(double dt);
    /// Recovery of the owner's damage.
    virtual void checkStatus(double dt);
    /// Collisions with the entities after the owner in the world list.
    virtual void checkCollision(double dt);
    /// Sends the moving state to the peers of a network game when due.
    virtual void postStep();
    /// Orders a speed, cut to the maximum (astern orders pass as they are).
    virtual void setOrderedSpeed(double speed);
    /// Orders a course; an order within 1 degree of the present one changes nothing.
    virtual void setOrderedCourse(double course);
    /// Orders a depth (a z value); the planes go back to automatic.
    virtual void setOrderedDepth(double z);
    /// Orders a rudder angle by hand.
    virtual void setRudderOrder(double angle);
    /// Orders the first planes by hand.
    virtual void setPlaneOrder1(double angle);
    /// Orders the second planes by hand.
    virtual void setPlaneOrder2(double angle);
    /// Orders the hull up to 30 ft (submarines); nothing here.
    virtual void orderShallowDepth() {}
    /// Runs the snorkel blower (submarines); the new state, 0 here.
    virtual int setSnorkel(int /*on*/) { return 0; }
    /// Starts or stops an emergency blow (submarines); nothing here.
    virtual void setEmergencyBlow(int /*on*/) {}
    /// Stores the mode word (the own boat's vent flag).
    virtual void setMode(int word);
    /// The hull is lost: from now on it sinks and settles on the bottom.
    virtual void beginSinking();
    /// A scrape on the bottom: damage, events and sound, at most every 30 s.
    virtual void checkGrounding();
    /// One sub-step of a sinking hull (and of its second piece).
    virtual void stepSinking(double dt);
    /// Posts the position event when its smallest interval has passed.
    virtual void periodicUpdate(int force);
    /// Reads the saved block; false on a short input.
    virtual bool load(ByteSource& source);
    /// Writes the saved block; false on a write error.
    virtual bool save(ByteSink& sink) const;

    /// Breaks the raised masts the hull struck; false when it has none (only the own boat has).
    virtual bool strikeMasts() { return false; }
    /// What the boat has left to launch a weapon with: a launch by the own boat fails below 40.
    /// Only the own boat's model keeps such a stock; any other never fails a launch.
    virtual double launchValue() const { return 100.0; }
    /// Keeps the waypoints plotted on the navigation chart, which a saved mission carries in the
    /// model; only the own boat's model keeps them.
    virtual void storePlottedWaypoints(std::span<const WorldPoint> /*waypoints*/) {}

    /// Keeps the engine order and the ordered speed consistent, from whichever was ordered.
    void syncEngineOrder();
    /// Pushes the pose into the history and takes the smoothed state from it (once per main-loop pass).
    void snapshotState();
    /// Moves a value toward a target by the lag law of the model's response constants.
    double lagToward(double value, double target, double dt) const;
    /// Height of the terrain at a point; very deep where the terrain knows nothing.
    static double terrainHeight(double x, double y);
    /// terrainHeight at the model's own position. A hull asks it several times a step, mostly
    /// where it asked last: the last answer is kept for as long as the hull and the grid stay.
    double floorHere() const;

    Entity& owner() const { return *owner_; }
    /// The 3-D views' trail switch: on while the entity moves under its own drive and is not sinking.
    bool trailOn() const { return driveSpeed != 0.0 && sinking == 0; }

    // Position, attitude and motion.
    double x = 0.0, y = 0.0, z = 0.0;
    double speed = 0.0;
    double heading = 0.0, pitch = 0.0, roll = 0.0;
    std::int32_t arraySelector = 1; ///< which towed array is the working one
    double arrayLength1 = 0.0;      ///< deployed lengths of the towed arrays; −1 once lost
    double arrayLength2 = 0.0;
    double homeX = 0.0, homeY = 0.0;         ///< where the entity was placed (an aircraft returns there)
    double velocityX = 0.0, velocityY = 0.0; ///< over ground, speed units
    double verticalSpeed = 0.0;              ///< m/s, up
    double planeAngle1 = 0.0, planeAngle2 = 0.0;
    double rudderAngle = 0.0; ///< negative turns to lower headings
    double driveSpeed = 0.0;  ///< what the propulsion drives toward
    // Orders.
    double orderedDepth = 0.0, orderedCourse = 0.0, orderedPitch = 0.0, orderedRoll = 0.0;
    double engineOrder = 0.0; ///< telegraph, −5 to 5
    double orderedSpeed = 0.0;
    double speedAtOrder = 0.0; ///< headway when the last speed order came
    double headway = 0.0;      ///< the velocity's component along the heading
    double planeOrder1 = 0.0, planeOrder2 = 0.0, rudderOrder = 0.0;
    std::uint8_t manualPlanes = 0, manualRudder = 0, engineOrderMode = 0;
    double lastGroundingTime = 0.0;
    // States.
    std::int32_t blowerOn = 0, emergencyBlow = 0, sinking = 0;
    std::int32_t modeWord = 0; ///< the own boat's vent flag
    std::int32_t cavitating = 0;
    double cavitationReportTime = -1.0; ///< −1: no report pending
    double lastCollisionTime = 0.0;
    double buoyancyRate = 0.0; ///< speed units, up
    double ballastLevel = 0.0; ///< 0 to 100
    // The lag law.
    double responseLength = 45.72;
    double responseGain = 0.0;
    double responseLoad = 0.0;
    std::int32_t breaksInTwo = 0;
    HullPiece secondPiece;
    // Constants of the type.
    double submarineConstantA = 0.0, submarineConstantB = 0.0;
    double maxArrayLength = 0.0;
    double distanceRun = 0.0; ///< metres
    double maxSpeed = 0.0, quietSpeed = 0.0, fastSpeed = 0.0;
    double testDepth = 0.0, crushDepth = 0.0;
    double maxPitchAngle = 45.0;
    double maxRudderAngle = 30.0;
    double rudderRate = 30.0; ///< the rudder slews half this many degrees a second
    double turnCoefficient = 0.022;
    std::int32_t halfLength = 0, halfBeam = 0, halfHeight = 0; ///< metres
    std::int32_t boundingRadius = 0;                           ///< 0: never collides
    TrackHistory history{5};
    MotionSample smoothedState{};
    double lastPositionReport = -120.0;
    double positionReportInterval = 120.0;
    double positionReportMinInterval = 20.0;

protected:
    /// The owner's category.
    EntityCategory category() const;

private:
    struct FloorMemo {
        const void* grid = nullptr;
        double x = 0.0, y = 0.0, height = 0.0;
    };
    bool inFootprint(const WorldPoint& point, double pointHalfHeight, const MotionModel& other) const;
    int testCollision(const MotionModel& other, double& angleA, double& angleB) const;
    void collideWith(MotionModel& other, double angleA, double angleB, double dt);
    void stepCavitation();
    void hitBottom(double terrain);
    void missileGroundBlast();
    void stepSecondPiece(double dt);

    Entity* owner_;
    mutable FloorMemo floorMemo_;
    AngleTrig headingTrig_; // a hull on a steady course asks it for the same heading every step
};

/// The model's position.
inline WorldPoint worldPoint(const MotionModel& motion) {
    return {motion.x, motion.y, motion.z};
}

/// The position of an entity with that model: the model's, the origin without one (what
/// worldPoint gives of an entity, inline for the loops that read every entity's).
inline WorldPoint motionPoint(const MotionModel* motion) {
    return motion ? worldPoint(*motion) : WorldPoint{};
}

} // namespace q71
