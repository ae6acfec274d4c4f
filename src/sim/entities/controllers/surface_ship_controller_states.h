#pragma once
// What the surface-ship controller and the submarine controller built on it share: one switch
// over the state codes, with each state's behaviour the controller's own, and the ship handling
// that follows every state.

#include "sim/entities/controllers/entity_controller.h"

namespace q71 {

class VesselController : public EntityController {
public:
    using EntityController::EntityController;

    /// Runs the behaviour of a state (the reactions only while there is a target), then the ship
    /// handling that follows every state. A hull without a motion model does nothing.
    void actOnTarget(std::int32_t state) final;

protected:
    /// States 2 and 7: run the orders once through.
    virtual void transit(std::int32_t state) = 0;
    /// States 3, 4, 5, 8, 9 and 19: follow the patrol's waypoints.
    virtual void followWaypoints(std::int32_t state) = 0;
    /// State 10: the target was lost.
    virtual void contactLost(ContactRecord& target) = 0;
    /// State 11: close on the target.
    virtual void closeOn(ContactRecord& target) = 0;
    /// State 12: attack it.
    virtual void attack(ContactRecord& target) = 0;
    /// State 13: keep clear of it.
    virtual void keepClear(ContactRecord& target) = 0;
    /// State 14: get away from it.
    virtual void withdraw(ContactRecord& target) = 0;
    /// State 15: evade a weapon.
    virtual void evadeWeapon(ContactRecord& target) = 0;
    /// After every state: keep off shoal water (a submarine the bottom as well).
    virtual void afterState() = 0;
};

} // namespace q71
