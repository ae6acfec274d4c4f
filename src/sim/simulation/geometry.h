#pragma once
// The small geometric helpers the whole simulation shares: ranges, bearings, projecting a
// point along a bearing and folding angles. World positions are metres: x east and y north
// from the south-west corner of the mission's terrain grid, z up with the sea surface at 0.
// Bearings are degrees clockwise from north, x taking the sine. Ranges handed to and returned
// by the *Yards helpers are in yards. They keep no state and allocate nothing.

#include <concepts>
#include <cstdint>

namespace q71 {

inline constexpr double kMetresToYards = 1.0936;
inline constexpr double kYardsToMetres = 0.9144;
inline constexpr double kFeetToMetres = 0.3048;
inline constexpr double kSpeedUnitMetresPerSecond = 0.508; ///< one unit of speed
inline constexpr double kDegreesToRadians = 0.0174532925;
inline constexpr double kRadiansToDegrees = 57.29577957855229;

/// A position in the world, metres.
struct WorldPoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

/// The position of a point is itself; entities, motion states and fixes give theirs by overloads
/// of worldPoint beside their own types.
inline WorldPoint worldPoint(const WorldPoint& point) {
    return point;
}

/// Anything with a place in the world: a point, an entity, a motion state, a contact fix, an order.
template <class T>
concept Placed = requires(const T& thing) {
    { worldPoint(thing) } -> std::convertible_to<WorldPoint>;
};

/// Planar range of an offset, hypot(dx, dy).
double geoRange(double dx, double dy);

/// Three-dimensional range of an offset, hypot(dz, hypot(dx, dy)).
double geoRange3d(double dx, double dy, double dz);

/// Bearing of an offset, degrees 0 to 360; 0 for no offset.
double geoBearing(double dx, double dy);

/// The point at a bearing (degrees) and range (yards) from (x, y).
void geoProject(double x, double y, double bearing, double rangeYards, double& outX, double& outY);

/// The sine and cosine of an angle in degrees asked for again and again (a hull's heading, a
/// contact's course): worked out again only when the angle's bits change, each the value a fresh
/// sine or cosine of the angle gives.
class AngleTrig {
public:
    /// Makes `degrees` the angle answered for; returns the answers.
    const AngleTrig& at(double degrees);
    double sine() const { return sine_; }
    double cosine() const { return cosine_; }

private:
    std::uint64_t angleBits_ = 0; // the bits of +0.0, whose sine is 0 and cosine 1
    double sine_ = 0.0;
    double cosine_ = 1.0;
};

/// geoProject along a bearing whose sine and cosine are at hand.
void geoProject(double x, double y, const AngleTrig& bearing, double rangeYards, double& outX, double& outY);

/// b − a brought into −180..180.
double angleDiff(double a, double b);

/// The bearing of an offset relative to a heading, −180..180.
double relativeBearing(double heading, double dx, double dy);

/// a + b brought into 0..360.
double angleAdd(double a, double b);

/// The course to steer from a position to a point: the present heading when the point lies behind
/// and inside the turn the boat would make at its speed, else the bearing to the point.
double steerBearing(const WorldPoint& position, double heading, double speed, const WorldPoint& point);

/// The aspect of an entity seen from an observer, −90..90: 0 ahead or astern, ±90 on the beam.
/// bearing is from the observer to the entity, heading the entity's own.
double worldAspectAngle(double bearing, double heading);

/// Number of 24-byte points a towed array of that length (metres) keeps.
int entitySampleCount(double arrayLength);

namespace detail {
struct PlanarRangeYards {
    template <Placed A, Placed B> double operator()(const A& a, const B& b) const {
        const WorldPoint p = worldPoint(a), q = worldPoint(b);
        return geoRange(q.x - p.x, q.y - p.y) * kMetresToYards;
    }
};
struct Range3dYards {
    template <Placed A, Placed B> double operator()(const A& a, const B& b) const {
        const WorldPoint p = worldPoint(a), q = worldPoint(b);
        return geoRange3d(q.x - p.x, q.y - p.y, q.z - p.z) * kMetresToYards;
    }
};
struct BearingTo {
    template <Placed A, Placed B> double operator()(const A& from, const B& to) const {
        const WorldPoint p = worldPoint(from), q = worldPoint(to);
        return geoBearing(q.x - p.x, q.y - p.y);
    }
};
} // namespace detail

/// Planar range in yards between two entities, an entity's motion state and a fix, or two fixes.
inline constexpr detail::PlanarRangeYards entityRangeYards{}, fixRangeYards{}, fixToFixRangeYards{};

/// Three-dimensional range in yards between two entities.
inline constexpr detail::Range3dYards entityRange3dYards{};

/// Bearing in degrees from the first to the second (entities, a motion state and a fix, two fixes).
inline constexpr detail::BearingTo entityBearing{}, fixBearing{}, fixToFixBearing{};

} // namespace q71
