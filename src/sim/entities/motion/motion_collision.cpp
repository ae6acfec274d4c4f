// Collisions between hulls. Each sub-step the world step walks the world list from head to
// tail and each model tests the entities after it (those near it, through the step's collision
// index), so every pair is tested once. A pair is first rejected by the whole-number distance of
// its smoothed positions; then the bow and stern of each hull (and the sail of a submarine) are
// tested against the other's footprint.
#include "sim/entities/motion/motion_model.h"

#include "framework/math/fast_math.h"
#include "framework/textmngr/text_manager.h"
#include "sim/entities/entity.h"
#include "sim/entities/entity_events.h"
#include "sim/entities/motion/collision_index.h"
#include "sim/scoring/scoring.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace q71 {

namespace {

constexpr double kCollisionRepeat = 60.0; // s, between two collision events of a hull
constexpr double kCueRepeat = 120.0;      // s, between two collision alarms

double collisionCueTime = -120.0; // when the collision alarm last sounded, for the whole run

// Where a test point lies: a bow or stern point gives its own hull the contact angle 0 or 180.
struct TestPoint {
    WorldPoint point;
    double halfHeight;
    double ownAngle;
};

WorldPoint alongHull(const MotionSample& s, double length, double lift) {
    const double heading = s[kSampleHeading];
    return {s[kSampleX] + length * tableSinDegrees(heading), s[kSampleY] + length * tableCosDegrees(heading),
            s[kSampleZ] + length * tableSinDegrees(s[kSamplePitch]) + lift};
}

} // namespace

bool MotionModel::inFootprint(const WorldPoint& point, double pointHalfHeight,
                              const MotionModel& other) const {
    const MotionSample& o = other.smoothedState;
    const double dx = point.x - o[kSampleX], dy = point.y - o[kSampleY];
    const double g = std::fabs(90.0 - std::fabs(angleDiff(o[kSampleHeading], geoBearing(dx, dy)))) / 90.0;
    if (!(geoRange(dx, dy) < (other.halfLength - other.halfBeam) * g * g + other.halfBeam))
        return false;
    // The point's height band must overlap the other hull's. (Asking for one end of the band
    // strictly inside the other's would let two hulls of one height at one depth pass through
    // each other.)
    const double low = o[kSampleZ] - other.halfHeight, high = o[kSampleZ] + other.halfHeight;
    return point.z - pointHalfHeight < high && low < point.z + pointHalfHeight;
}

// The contact of two hulls: 1 a collision with each hull's contact angle, 2 only the own boat's
// masts struck, 0 none.
int MotionModel::testCollision(const MotionModel& b, double& angleA, double& angleB) const {
    const MotionModel& a = *this;
    if (a.sinking && b.sinking)
        return 0;
    if (a.owner().parentId == b.owner().id || b.owner().parentId == a.owner().id)
        return 0; // a weapon never strikes its launcher
    bool mastStruck = false;
    // Tests the points of one hull against the other; true at the first hit.
    const auto tryHull = [&](const MotionModel& self, const MotionModel& other, double& selfAngle,
                             double& otherAngle) {
        const MotionSample& s = self.smoothedState;
        const bool submarine = self.owner().kind == kKindSubsurface;
        if (submarine && self.owner().isOwnShip() &&
            self.inFootprint(alongHull(s, 0.73 * self.halfLength, 3.0 * self.halfHeight), self.halfHeight,
                             other))
            mastStruck = true;
        const TestPoint points[] = {
            {alongHull(s, self.halfLength, 0.0), double(self.halfHeight), 0.0},
            {alongHull(s, -self.halfLength, 0.0), double(self.halfHeight), 180.0},
            {alongHull(s, 0.73 * self.halfLength, self.halfHeight), double(self.halfHeight), 0.0},
        };
        for (const TestPoint& p : points) {
            if (&p == &points[2] && !submarine)
                break; // only a submarine has a sail
            if (!self.inFootprint(p.point, p.halfHeight, other))
                continue;
            selfAngle = p.ownAngle;
            const MotionSample& o = other.smoothedState;
            otherAngle =
                angleDiff(o[kSampleHeading], geoBearing(p.point.x - o[kSampleX], p.point.y - o[kSampleY]));
            return true;
        }
        return false;
    };
    if (tryHull(a, b, angleA, angleB) || tryHull(b, a, angleB, angleA))
        return 1;
    return mastStruck ? 2 : 0;
}

void MotionModel::checkCollision(double dt) {
    if (boundingRadius == 0)
        return;
    bool collided = false;
    const auto tryPair = [&](Entity& other) {
        MotionModel* b = other.motion.get();
        if (!b || b->boundingRadius == 0)
            return;
        const int reach = boundingRadius + b->boundingRadius;
        const MotionSample &sa = smoothedState, &sb = b->smoothedState;
        if (std::abs(collisionWhole(sa[kSampleX]) - collisionWhole(sb[kSampleX])) >= reach ||
            std::abs(collisionWhole(sa[kSampleY]) - collisionWhole(sb[kSampleY])) >= reach ||
            std::abs(collisionWhole(sa[kSampleZ]) - collisionWhole(sb[kSampleZ])) >= reach)
            return;
        double angleA = 0.0, angleB = 0.0;
        switch (testCollision(*b, angleA, angleB)) {
        case 1:
            collided = true;
            collideWith(*b, angleA, angleB, dt);
            break;
        case 2: // the own boat's raised masts met the other hull, nothing else did
            (owner_->isOwnShip() ? this : b)->strikeMasts();
            break;
        default:
            break;
        }
    };
    // The pairs with the entities before this one in the world list were tested by them.
    if (const CollisionIndex* index = CollisionIndex::active()) {
        index->forEachAfter(*owner_, tryPair);
    } else {
        LinkedList<Entity>& world = worldList();
        auto* node = world.cursor();
        if (!node || node->item != owner_)
            for (node = world.head(); node && node->item != owner_; node = node->next) {
            }
        if (!node)
            return;
        for (node = node->next; node; node = node->next)
            tryPair(*node->item);
    }
    if (!collided && simClock().gameClock - lastCollisionTime > kCollisionRepeat)
        lastCollisionTime = -60.0;
}

void MotionModel::collideWith(MotionModel& b, double angleA, double angleB, double dt) {
    MotionModel& a = *this;
    Entity &ea = a.owner(), &eb = b.owner();
    const double now = simClock().gameClock;
    const double vx = (a.velocityX + b.velocityX) / 2.0, vy = (a.velocityY + b.velocityY) / 2.0;
    const double meanSpeed = geoRange(vx, vy);
    const double fastestOrder = std::max(a.orderedSpeed, b.orderedSpeed);
    const auto impactOf = [](const MotionModel& m, double angle) {
        return geoRange(m.velocityX, m.velocityY) *
               tableCosDegrees(angleDiff(geoBearing(m.velocityX, m.velocityY), m.heading + angle));
    };
    const double impact = std::max(impactOf(a, angleA) + impactOf(b, angleB), 1.0);
    const bool heavy = impact > 10.0;
    if (now - a.lastCollisionTime > kCollisionRepeat) {
        a.lastCollisionTime = b.lastCollisionTime = now;
        scoringPostEvent(missionEventAt(worldPoint(a), kEventCollision, ea.id, eb.id), 1);
        const double damage = std::trunc(impact / 2.0);
        bool ownDamaged = false;
        const auto strike = [&](Entity& hit, Entity& by, bool explode) {
            if (hit.hull <= 0.1)
                return;
            hit.applyDamage(damage, &by, explode, true, true);
            if (!hit.isOwnShip())
                return;
            ownDamaged = true;
            logOwnBoatDamage(hit.id, damage, kLossCollision);
            if (hit.hull < 0.1)
                missionState().ownBoatLossCause = kLossCollision;
        };
        strike(ea, eb, heavy && !ea.isOwnShip());
        strike(eb, ea, heavy && !ea.isOwnShip() && !eb.isOwnShip());
        if (ownDamaged && (now - collisionCueTime > kCueRepeat || collisionCueTime > now)) {
            simAudio().playByName("collision.wav", false, true, false);
            msgLogPrintfId(904);
            collisionCueTime = now;
        }
    }
    // The hulls take a common way; the one struck abeam keeps more of its own drive.
    const auto pull = [&](MotionModel& m, double angle) {
        m.driveSpeed = std::min(std::fabs(tableSinDegrees(angle)) * (m.driveSpeed - meanSpeed) + meanSpeed,
                                fastestOrder);
    };
    pull(a, angleA);
    pull(b, angleB);
    a.velocityX = b.velocityX = vx;
    a.velocityY = b.velocityY = vy;
    const double turnA = tableSinDegrees(b.heading - a.heading) * tableCosDegrees(angleA) * b.speed * dt;
    const double turnB = tableSinDegrees(a.heading - b.heading) * tableCosDegrees(angleB) * a.speed * dt;
    a.heading = angleAdd(a.heading, turnA);
    b.heading = angleAdd(b.heading, turnB);
}

} // namespace q71
