#pragma once
// The controller of a computer-run submarine. It has the surface ship's states, switch and ship
// handling, and thinks as a submarine: periscope depth and the mast, a patrol depth below the
// layer, a quiet approach on target-motion legs until its firing solution is good, salvos,
// evasion in depth with countermeasures against torpedoes, and withdrawal once detected. After
// every state it keeps its keel off the bottom ahead and its hull off shoal water.

#include "sim/entities/controllers/surface_ship_controller_states.h"
#include "sim/entities/controllers/surface_ship_controller_tactics.h"

namespace q71 {

class SubmarineController : public VesselController {
public:
    /// The controller of a submarine; its first repositioning leg comes in one to two hours.
    explicit SubmarineController(Entity& owner);

    /// Rates a new contact: the reaction the boat takes to it.
    void postEncounterEvent(ContactRecord& contact, int relayFlag) override;

    /// The range (yards) inside which the boat attacks a target with what its stores hold.
    double attackRange(const ContactRecord& target) const;
    /// The depth the boat patrols at: below the layer, clear of the bottom and of its depth limit.
    double patrolDepth() const;
    /// A depth drawn to evade at, clear of the bottom.
    double evasionDepth() const;
    /// Whether the boat, back at a hold point it laid against a contact, judges it has not been
    /// detected; `holdCount` counts this hold with those still waiting against the contact.
    bool detectionRiskLow(const ContactRecord& contact, int holdCount) const;

    double speedTimer = 0.0;      ///< level 4 on waypoints: next change of speed
    double attackTimer = 0.0;     ///< approach and attack pacing; 0 when not started
    double manoeuvreTimer = 0.0;  ///< next timed evasion
    double mastTimer = 0.0;       ///< next mast and periscope-depth check (levels 1 and 2)
    double repositionTimer = 0.0; ///< next repositioning leg in transit (levels 3 and 4)
    double depthTimer = 0.0;      ///< next change between periscope and patrol depth
    double runTimer = 0.0;        ///< end of a withdrawal; 0 when not started

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

    bool cycleMast();
    void switchDepthOnPatrol();
    void approachSlowly(ContactRecord& target);
    void approachOnLegs(ContactRecord& target, double range);
    void layApproachLeg(const ContactRecord& target);
    bool launchTorpedo(ContactRecord& target, double aimBearing, double flightTime);
    bool launchMissile(ContactRecord& target, double aimBearing, double flightTime);
    void keepClearOnHold(ContactRecord& target);
    void evadeOnTimer(const ContactRecord& target, double interval);
    void launchCountermeasures();
    void keepOffBottom();
};

/// Installs the maker that gives submarines this controller.
void submarineControllerInstall();

} // namespace q71
