#pragma once
// The crew of a maritime patrol aeroplane or a helicopter. It flies the aircraft's tasking
// (transits, patrol loops, dipping searches, sonobuoy fields), rates what its sensors find,
// prosecutes a submarine down to an attack with torpedoes or depth charges (and a ship or an
// aircraft with missiles), evades what it cannot fight, and goes home to rearm when its stores are
// empty. Whatever it does, it keeps 100 ft above the terrain ahead.
//
// The action of each pass is the reaction the controller gave its chosen contact, else the
// standing order kind (the active plan's mode). Timers are game times; `dipTimer` ends the
// present hover, dip or leg (0 when none), `attackTimer` the run-in of an attack.

#include "sim/entities/controllers/entity_controller.h"

#include <vector>

namespace q71 {

class MotionModel;

/// Action and order kinds of the aircraft (shared state codes).
enum AircraftAction : std::int32_t {
    kAircraftDone = 1,          ///< a transit whose waypoints ran out
    kAircraftTransit = 2,       ///< also a one-shot point to fly to
    kAircraftDippingSearch = 4, ///< a helicopter's dips at random points of an area
    kAircraftSonobuoyDrop = 6,  ///< a sonobuoy field task, and each drop point of it
    kAircraftTransit7 = 7,      ///< a transit
    kAircraftProsecute = 11,    ///< closing a contact
    kAircraftAttack = 12,       ///< the weapon run
    kAircraftEvade = 13,        ///< turning away from what it cannot fight
    kAircraftFieldMarker = 16,  ///< the drop point the aircraft visits last: the field is flown again
};

/// One point of a sonobuoy field in the order it is laid: its offset from the area's origin in
/// yards (before the area is turned by its orientation) and the kind of order it becomes.
struct FieldPoint {
    double x = 0.0;
    double y = 0.0;
    std::int32_t kind = kAircraftTransit;
};

/// The points of a field of `count` buoys over an area `width` by `height` yards (negative
/// extents lay it west or south), in the order they are laid: rows from the far one in, every
/// other row staggered by half a spacing. With drops, each point is a drop (kind 6) except the
/// first laid, which the aircraft visits last: the marker (kind 16) at which it flies the field
/// over again as patrol points (kind 2). A field of no buoys has no points.
std::vector<FieldPoint> sonobuoyFieldLayout(int count, double width, double height, bool drops);

class AirPlatformController final : public EntityController {
public:
    /// The crew of an aircraft; it sets the aircraft's search and transit speeds.
    explicit AirPlatformController(Entity& owner);

    /// Flies the action of this pass, then keeps clear of the terrain.
    void actOnTarget(std::int32_t action) override;
    /// Rates a new contact: the reaction to give it, the orders to close it, the detection event.
    void postEncounterEvent(ContactRecord& contact, int relayFlag) override;

    double dipTimer = 1.0;    ///< end of the present hover, dip or leg; 0 when none
    double attackTimer = 0.0; ///< end of the run-in of an attack

protected:
    void saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& block) const override;
    bool loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& block) override;

private:
    // Flight.
    bool isHelicopter() const;
    MotionModel& motion() const;
    void steerFor(const WorldPoint& point, double speed);
    void steerForCurrentOrder(double speed);
    void clearTerrain();
    // The tasking.
    void transit();
    void patrolSearch();
    void dipFromPatrol();
    void dippingSearch();
    void sonobuoyField();
    void layField(bool drops);
    void queueAreaPoint(std::int32_t kind);
    void returnToRearm();
    void rearm();
    // Contacts.
    void rateSubmarine(ContactRecord& contact);
    void prosecute(ContactRecord& contact);
    void prosecuteByAeroplane(ContactRecord& contact);
    void prosecuteByHelicopter(ContactRecord& contact);
    void passFix(const WorldPoint& fix);
    void closeFromTheHover(ContactRecord& contact);
    void searchRoundTheFix(const ContactRecord& contact);
    WorldPoint contactPoint(const ContactRecord& contact) const;
    static bool relayedFix(const ContactRecord& contact);
    void attack(ContactRecord& contact);
    bool releaseWeapon(ContactRecord& contact);
    void dropDepthCharge(ContactRecord& contact);
    void releaseTorpedo(const ContactRecord& contact, std::size_t slot);
    void releaseMissile(const ContactRecord& contact, std::size_t slot);
    void breakAway(ContactRecord& contact);
    void evade(const ContactRecord& contact);
    // Sensors.
    void dropBuoy();
    bool buoyWithin(double metres) const;
    void lowerSonar();
    void silenceSonars();
};

/// Installs the maker of the aircraft controller for the aircraft class (at start-up).
void airPlatformControllerInstall();

} // namespace q71
