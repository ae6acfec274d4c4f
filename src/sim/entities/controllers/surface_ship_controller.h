#pragma once
// The controller of a computer-run surface ship. It follows its plan (transit legs, patrol
// patterns, waypoint loops), rates each new contact, closes on hostile submarines, ships and
// aircraft and attacks them with depth charges, torpedoes or missiles from its three stores,
// runs from torpedoes, pings by its crew's level, and keeps off shoal water. It acts only through
// its hull's orders and the weapons it drops or launches.

#include "sim/entities/controllers/surface_ship_controller_states.h"
#include "sim/entities/controllers/surface_ship_controller_tactics.h"

namespace q71 {

class SurfaceShipController : public VesselController {
public:
    /// The controller of a ship; a crew of level 2 starts with its active sonar searching.
    explicit SurfaceShipController(Entity& owner);

    /// Rates a new contact: the reaction the ship takes to it.
    void postEncounterEvent(ContactRecord& contact, int relayFlag) override;

    /// The range (yards) inside which the ship attacks a target with what its stores hold.
    double attackRange(const ContactRecord& target) const;

    double attackTimer = 0.0;     ///< game time before which no weapon is launched
    double manoeuvreTimer = 0.0;  ///< next timed manoeuvre or sonar switch
    double searchPingTimer = 0.0; ///< next sonar switch of a searching transit

protected:
    void saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& block) const override;
    bool loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& block) override;

private:
    void transit(std::int32_t state) override;
    void followWaypoints(std::int32_t state) override;
    void contactLost(ContactRecord& target) override;
    void closeOn(ContactRecord& target) override;
    void attack(ContactRecord& target) override;
    void keepClear(ContactRecord& target) override;
    void withdraw(ContactRecord& target) override;
    void evadeWeapon(ContactRecord& target) override;
    void afterState() override;

    void approachToAttack(const ContactRecord& target, double range);
    bool dropDepthCharge(ContactRecord& target);
    bool launchMissile(ContactRecord& target, WeaponStore store);
    bool launchTorpedo(ContactRecord& target);
};

/// Installs the maker that gives surface ships this controller.
void surfaceShipControllerInstall();

} // namespace q71
