#pragma once
// What sets a mine off. A mine has no plans, states or target: it acts only when its proximity
// sensor first detects an entity (the contact handling calls postEncounterEvent), and then goes
// off on that entity once. In the tutorials a mine does no damage: the blast is reported to the
// entity, scored as a hit, and the mine is gone. A mobile mine first runs out from its tube and
// only where its run ends becomes a mine, with a proximity sensor of its own.

#include "sim/entities/controllers/entity_controller.h"

namespace q71 {

/// The mine of type 7: anything but a float sets it off.
class MineController : public EntityController {
public:
    explicit MineController(Entity& owner);

    /// Goes off on the entity of a new contact, unless it is a float.
    void postEncounterEvent(ContactRecord& contact, int relayFlag) override;
    /// A mine never chooses targets or follows plans.
    void update(double /*elapsed*/) override {}

protected:
    /// How the blast treats the entity that set the mine off.
    struct Blast {
        bool explodesOnVictim; ///< the victim's hit leaves an explosion of its own
        bool crewReports;      ///< the sonar operator reports a mine that hit the own boat
    };

    /// The mine goes off on an entity: damage (in the tutorials the blast report), then its own end.
    void detonate(Entity& victim, Blast blast);

private:
    void reportBlast(Entity& victim);
};

/// The mine of type 15: neither floats nor weapons set it off, and its victim's hit leaves no
/// explosion of its own.
class Mine2Controller final : public MineController {
public:
    using MineController::MineController;

    void postEncounterEvent(ContactRecord& contact, int relayFlag) override;
};

/// The mobile mine of type 16: it runs out at its ordered speed and lays itself where its run
/// ends; a float it meets makes it disappear without a blast.
class MobileMineController final : public MineController {
public:
    /// A mine that lays itself after running `runDistance` metres at the owner's ordered speed.
    MobileMineController(Entity& owner, double runDistance);

    /// Posts the detection event, then goes off on the entity (or disappears at a float).
    void postEncounterEvent(ContactRecord& contact, int relayFlag) override;
    /// Lays the mine once its run is over.
    void update(double elapsed) override;

    double layTime = 0.0; ///< game time the run ends; 0 once laid

protected:
    void saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& block) const override;
    bool loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& block) override;

private:
    void lay();
};

/// Installs the makers of the three mine controllers for the mine classes (at start-up).
void mineControllersInstall();

} // namespace q71
