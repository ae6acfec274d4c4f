#pragma once
// Ship handling that the surface-ship controller and the submarine controller built on it share:
// the active sonar's switch, the look-ahead for shoal water, the speed cap that keeps a hull's
// own noise below its sonar, patrol waypoints with fresh points in a random area, turning a
// contact off the bow, and what the three weapon stores hold.

#include "sim/entities/contact_record.h"
#include "sim/entities/weapon_launches.h"
#include "sim/world/object_record.h"

#include <cstdint>

namespace q71 {

class Entity;
class EntityController;
class MotionModel;
class Torpedo2Entity;
class TorpedoEntity;

/// Settings of an active sonar: off, and the intervals (seconds) between pings that the
/// controllers order.
inline constexpr std::int16_t kActiveSonarOff = -1;
inline constexpr std::int16_t kActiveSonarAttack = 30;
inline constexpr std::int16_t kActiveSonarSearch = 60;

/// The three weapon stores of a platform: against surface targets, submarines and aircraft.
enum WeaponStore : int { kStoreSurface = 0, kStoreSubmarine = 1, kStoreAir = 2 };

/// True when a store has weapons left.
bool storeLoaded(const Entity& owner, WeaponStore store);
/// True when a store is of a weapon category (loaded or not).
bool storeIs(const Entity& owner, WeaponStore store, EntityCategory category);
/// True when a store is of a weapon category and has weapons left.
bool storeHolds(const Entity& owner, WeaponStore store, EntityCategory category);
/// The store's range figure, yards.
double storeRange(const Entity& owner, WeaponStore store);

/// A torpedo of a store's weapon for the owner, its parent, not yet launched; the store's count
/// drops by one.
TorpedoEntity* makeStoreTorpedo(Entity& owner, WeaponStore store);
/// A missile of a store's weapon for the owner, its parent, not yet launched (the count is the
/// caller's).
Torpedo2Entity* makeStoreMissile(Entity& owner, WeaponStore store);
/// A torpedo's tube launch as the controllers set it: searching at 50, the seeker active, running
/// at the depth for the water under the owner, between the surface and 3000 ft.
TorpedoTubeLaunch torpedoLaunch(const Entity& owner, int tube, double course, int searchPattern,
                                double enableDistance, double presetSpeed);
/// A missile's tube launch as the controllers set it: level flight, the target's kind designated,
/// run and enable distances in units of 2000 yards.
MissileTubeLaunch missileLaunch(int tube, double course, double targetRange, std::int32_t targetKind,
                                double runDistance, double enableDistance);

/// Sets the owner's active sonar to a setting; one is made with it when the owner has none but
/// can carry one.
void setActiveSonar(Entity& owner, std::int16_t setting);
/// Switches the owner's active sonar: searching when it was off, off otherwise; one is made
/// searching when the owner has none but can carry one.
void toggleActiveSonar(Entity& owner);

/// Turns away, in steps of 45 degrees, from water shallower than 12 m found 1000 yards ahead on
/// the ordered course.
void avoidShoals(Entity& owner);
/// Holds the ordered speed at 7.5 times the owner's sonar figure, so that the sonar still hears.
void capSpeedForSonar(Entity& owner);
/// The same cap while a target held by sonar lies within 3000 times the sonar figure.
void capSpeedNearSonarContact(Entity& owner, const ContactRecord& target);

/// Advances the patrol's waypoints; a random-area point reached (type 4) is followed by a new
/// one drawn in the plan's area. Returns the type of the order reached, or 0.
std::int32_t advancePatrol(EntityController& controller);
/// Orders the owner's course onto the current order's point, when there is one.
void steerCourseToOrder(EntityController& controller);

/// Turns away from a bearing that lies within 100 degrees of a reference course on either side, so
/// that it ends `turn` (+ random(spread), drawn only when the course changes) degrees off the new
/// course; a bearing dead ahead or farther off changes nothing.
void turnBearingOff(MotionModel& motion, double reference, double bearing, double turn, double spread = 0.0);
/// Puts a bearing 100 degrees off the bow (turnBearingOff from the heading).
void putOffBow(MotionModel& motion, double bearing);
/// The course bearing + 100 + random(160): away from a bearing, the side drawn.
double courseAwayFrom(double bearing);

/// The running depth of a torpedo launched here: half the water under the owner, not deeper than
/// -1000 m, or -100 m where the terrain knows no bottom.
double torpedoRunDepth(const Entity& owner);
/// The bottom height under a point, when the terrain knows it.
bool bottomHeightAt(double x, double y, double& height);

/// The newest fix of a contact, or null when it has none.
const ContactFix* latestFix(const ContactRecord& contact);
/// True when a contact's newest fix came from a sonar.
bool heldBySonar(const ContactRecord& contact);
/// The side of a contact's course the observer lies on: +1 to starboard of it, -1 to port (or
/// dead on it).
double sideOfCourse(const ContactRecord& contact);
/// True when the contact's entity still exists and is a platform: not a torpedo, a missile or a
/// countermeasure, whose detection is no event.
bool isPlatformContact(const ContactRecord& contact);
/// True when the contact's entity exists and is of a category.
bool contactIs(const ContactRecord& contact, EntityCategory category);

} // namespace q71
