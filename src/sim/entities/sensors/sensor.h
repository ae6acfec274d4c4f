#pragma once
// A detector owned by an entity: a sonar, radar, visual, intercept or ESM receiver. Every few
// tenths of a second it scans the world's entities, tests each against its vertical window,
// its response curve, its arc and the terrain, and reports each detection to its owner as a
// contact fix with a noisy bearing and range. The base carries the curves and the scan; the
// sensor classes set the curves and replace single operations.

#include "sim/entities/contact_record.h"
#include "sim/entities/sensors/scan_index.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace q71 {

class ByteSink;
class ByteSource;
class Entity;

/// Sensor types, the designation letter of each in kSensorLetters.
enum SensorType : std::int32_t {
    kSensorArray0 = 0,  ///< the own boat's towed array
    kSensorArray1 = 1,  ///< the own boat's second array
    kSensorPassive = 2, ///< passive sonar
    kSensorMirror = 3,  ///< the towed array's mirror bearing
    kSensorActive = 4,  ///< active sonar
    kSensorIntercept = 5,
    kSensorPlain6 = 6,
    kSensorRadar = 7,
    kSensorVisual = 8,
    kSensorVisual9 = 9,
    kSensorEsm = 11,
    kSensorDropped = 12, ///< an aircraft's dropped sonar
    kSensorMerged = 13,
    kSensorRelayed = 14, ///< a fix a friend relayed (fixes only)
};

/// The designation letter of each sensor type, a blank where there is none.
inline constexpr char kSensorLetters[] = "SSSSSS RVV E M ";

/// The range points of the acoustic propagation rule, metres.
struct PropagationPoints {
    std::int32_t r0 = 0, r1 = 0, r2 = 0;
};

/// The levels of the acoustic propagation rule.
struct PropagationLevels {
    std::int32_t a = 0, b = 0;
    std::uint8_t c = 0;
};

/// An error figure of a class (base − the whole part of the figure) as the curves keep it, a byte:
/// a figure beyond the table's reach gives no error rather than a wrapped one.
std::uint8_t sensorErrorFigure(int base, float figure);

/// The points (0 to 20) a hull seen from an observer shows less bow- or stern-on than on the beam:
/// whole points of the aspect angle, a hair of bearing never costing one.
int sensorAspectPoints(const Entity& observer, const Entity& target);

/// The fix a receiver takes on a source it heard transmit: the source's place, pose and way, heard
/// from the receiver's place on a bearing.
ContactFix interceptFix(const Entity& source, const Entity& receiver, double bearing, int quality,
                        std::int32_t sensorType);

class Sensor {
public:
    /// A sensor of an owner with its performance figure; the curves are the class's to set.
    Sensor(Entity& owner, float figure);
    virtual ~Sensor() = default;
    Sensor(const Sensor&) = delete;
    Sensor& operator=(const Sensor&) = delete;

    // The operations in slot order (the destructor is slot 3).

    /// Detection level 0 to 100 at a range (metres): certain inside the near range, a chance beyond,
    /// and 0 from the far range on (a class that replaces it keeps that: scans rely on it).
    virtual int levelAtRange(double range);
    /// The acoustic propagation rule: the level heard at a range from a source level.
    virtual std::uint8_t detect(const PropagationPoints& points, PropagationLevels& levels, double range,
                                double sensorZ, double targetZ, std::uint8_t sourceLevel);
    /// The level a received level gives against the threshold.
    virtual int targetLevel(double received) const;
    /// The scan: at most once per 0.4 s of game time, every entity in the window is tested.
    virtual void step(double dt);
    /// A noise heard on a bearing (the own boat's receivers); nothing here.
    virtual void onNoise(std::int32_t /*sourceId*/, int /*bearing*/, double /*range*/, int /*level*/) {}
    /// A ping or sweep heard on a bearing; nothing here.
    virtual void onPing(std::int32_t /*sourceId*/, int /*bearing*/, int /*level*/) {}
    /// Whether a source's signature lines reach the sensor; 0 here.
    virtual int onEntitySignal(Entity& /*entity*/, std::int32_t /*sourceId*/, int /*bearing*/,
                               int /*level*/) {
        return 0;
    }
    /// An entity was sensed; nothing here.
    virtual void onEvent(Entity& /*entity*/, double /*bearing*/, double /*range*/, int /*level*/) {}
    /// Arms a tracker; nothing here.
    virtual void trackEvent(int /*slot*/, std::int32_t /*sourceId*/, double /*bearing*/, double /*range*/,
                            std::int32_t /*lineFrequency*/, int /*sensorType*/) {}
    /// Tests one entity and reports it to the owner; true when reported.
    virtual bool canSense(Entity& entity);
    /// Called after canSense for every entity of a scan; nothing here.
    virtual void scanList(Entity& /*entity*/) {}
    /// Reads the sensor; false on a short or invalid input.
    virtual bool load(ByteSource& source);
    /// Writes the sensor; false on a write error.
    virtual bool save(ByteSink& sink) const;
    /// The level heard from an ordinary source (the sonars' curve); 0 for a sensor without one.
    virtual int passiveLevel(double /*source*/, double /*range*/, double /*sensorZ*/, double /*targetZ*/,
                             int /*level*/) {
        return 0;
    }
    /// The level heard from the player's boat (the sonars' curve); 0 for a sensor without one.
    virtual int activeLevel(double /*range*/, double /*sensorZ*/, double /*targetZ*/, int /*level*/) {
        return 0;
    }
    /// False only where canSense and scanList would both end for the entity before any draw or
    /// report, as they stand: the scans pass such an entity by. True for a class that does not
    /// know its own reach (one that replaces canSense or scanList answers for itself).
    virtual bool scanMayReach(const Entity& entity) const;

    /// Sets the three curves: detection, bearing error and range error (ranges in metres).
    void setResponse(double rangeNear, double rangeFar, std::uint8_t levelNear, std::uint8_t levelFar,
                     double bearingRangeNear, double bearingRangeFar, std::uint8_t bearingErrNear,
                     std::uint8_t bearingErrFar, double rangeErrRangeNear, double rangeErrRangeFar,
                     std::uint32_t rangeErrNear, std::uint32_t rangeErrFar);
    /// Bearing error (degrees) at a range.
    double bearingError(double range) const;
    /// Range error (metres) at a range.
    double rangeError(double range) const;
    /// Takes the owner's heading and, unless the sensor stays where it was put, its position.
    void copyOwnerPose();
    /// The sensor's position.
    double sensorZ() const { return z; }
    /// A bearing and range with the sensor's errors drawn in: bearing 0 to 360, range in metres.
    void measure(double bearing, double range, double& measuredBearing, double& measuredRange) const;
    /// A fix of a detected entity as the sensor reports it.
    ContactFix makeFix(const Entity& entity, double measuredBearing, double measuredRange, int quality) const;
    /// False when the target lies beyond the detection curve's far range on some axis already.
    bool withinReach(const WorldPoint& target) const {
        // No axis of the offset may reach the far end of the curve: the range would reach it too.
        const double far = rangeFar;
        return std::fabs(target.x - x) < far && std::fabs(target.y - y) < far &&
               std::fabs(target.z - z) < far;
    }
    /// True when the sensor transmits (transmitInterval not −1) and its interval has passed.
    bool transmitDue(double now) const;
    /// True when a relative bearing lies in the arc (within, or strictly within).
    bool inArc(double bearing, bool strictly) const;

    Entity& owner() const { return *owner_; }

    std::array<std::uint16_t, 360> sourceTable{}; ///< the own boat's receivers' sources per degree
    std::uint8_t levelNear = 0, levelFar = 0;     ///< detection levels at the two ranges
    std::int32_t rangeNear = 0, rangeFar = 0;     ///< metres
    std::uint8_t threshold = 0;                   ///< of targetLevel
    std::uint8_t bearingErrNear = 0, bearingErrFar = 0;
    std::int32_t bearingRangeNear = 0, bearingRangeFar = 0;
    std::uint32_t rangeErrNear = 0, rangeErrFar = 0;
    std::int32_t rangeErrRangeNear = 0, rangeErrRangeFar = 0;
    double arcHalfWidth = 0.0, arcCentre = 0.0; ///< relative bearings covered, degrees
    std::int32_t maxHeight = 0, minHeight = 0;  ///< the vertical window, metres
    std::int32_t type = 0;                      ///< a SensorType
    float figure = 0.0f;                        ///< the performance figure
    double lastStep = 0.0;                      ///< game time of the last scan
    std::uint16_t bandLow = 0, bandHigh = 0;    ///< the signature band of band-limited sensors
    double heading = 0.0, x = 0.0, y = 0.0, z = 0.0;
    std::vector<std::array<double, 3>> entityTable; ///< the towed array's element chain (x, y, z)
    std::int16_t transmitInterval = -1;             ///< seconds between transmissions; −1 never
    double lastTransmit = 0.0;
    std::uint32_t deleteFlag = 0; ///< the owner deletes the sensor at its next sensor pass

protected:
    /// Metres from a source at which sound comes back up from the deep.
    static constexpr double kConvergenceRange = 36576.0;
    /// The sound profile's kind and layer depth, as the propagation rule reads them.
    struct SoundLayers {
        std::uint32_t kind = 0;
        double layer = 0.0;

        /// A layered profile with the listener at or below the layer.
        bool belowLayer(double sensorZ) const { return kind != 0 && kind != 1 && sensorZ <= layer; }
        /// Sensor and target both below the layer of a layered profile.
        bool convergence(double sensorZ, double targetZ) const {
            return belowLayer(sensorZ) && targetZ <= layer;
        }
        /// The range the rule works with: doubled across the layer, outside the deep.
        double path(double range, double sensorZ, double targetZ) const {
            const bool across = (sensorZ <= layer) != (targetZ <= layer);
            return !convergence(sensorZ, targetZ) && kind != 1 && across ? 2.0 * range : range;
        }
        /// True when the propagation rule gives nothing at that range (whatever the levels): beyond
        /// the convergence zone in the deep, else beyond twice the second range point, across the
        /// layer doubled.
        bool outOfHearing(const PropagationPoints& points, double range, double sensorZ,
                          double targetZ) const {
            const double heard = path(range, sensorZ, targetZ);
            return convergence(sensorZ, targetZ) ? heard >= points.r2 + kConvergenceRange
                                                 : heard >= 2.0 * points.r1;
        }
    };
    /// The layers as the mission stands.
    static SoundLayers soundLayers();

    /// Who a scan of this sensor tests: every entity but the owner, wrecks only by the own boat's
    /// sensors that are not its acoustic arrays (worked out as the scan starts).
    struct ScanTakes {
        const Entity* self;
        bool ownShip, ownAcoustic;
    };
    ScanTakes scanTakes() const;
    /// Whether the scan takes a wreck (or what is no wreck): the rest of who it tests.
    static bool takesWreck(const ScanTakes& scan, const Entity& entity) {
        const bool wreck = entity.motion && entity.motion->sinking;
        return !wreck || entity.isOwnShip() || (scan.ownShip && !scan.ownAcoustic);
    }
    /// The scan's walk with a reach test of the class's own: `mayReach` must neither draw nor change
    /// anything; `refresh` runs after each entity tested, whose tests may have changed the world.
    /// Both tests are pure, so their order is free: the owner is passed by first, then the reach
    /// (which reads the place and throws out most), and only then the wreck.
    /// `ahead` asks for what the class's test reads beyond the place (see scanWorldInOrder).
    template <class MayReach, class Refresh, class Ahead>
    void scanWorldWith(MayReach&& mayReach, Refresh&& refresh, Ahead&& ahead) {
        const ScanTakes scan = scanTakes();
        scanWorldInOrder([&](const Entity& entity) {
                             return &entity != scan.self && mayReach(entity) && takesWreck(scan, entity);
                         },
                         [&](Entity& entity) {
                             canSense(entity);
                             scanList(entity);
                             refresh();
                         },
                         ahead);
    }
    template <class MayReach, class Refresh>
    void scanWorldWith(MayReach&& mayReach, Refresh&& refresh) {
        scanWorldWith(mayReach, refresh, [](const Entity&) {});
    }

    /// True for a class that keeps the base class's canSense and scanList, whose scans then reach
    /// only what lies in the window and inside the far range on every axis.
    virtual bool keepsBaseScan() const;
    /// The reach of the base class's scan: the window, and inside the far range on every axis.
    bool baseScanMayReach(const Entity& entity) const {
        const WorldPoint target = motionPoint(entity.motion.get());
        return inWindow(target.z) && withinReach(target);
    }
    /// Scans the world: every entity but the owner that the sensor may sense gets canSense and scanList.
    virtual void scanWorld();
    /// True when the owner's vertical position lies in the window.
    bool inWindow(double height) const { return height >= minHeight && height <= maxHeight; }

private:
    Entity* owner_;
};

} // namespace q71
