#pragma once
// A world for the tests of the vehicle motion models and the entity classes: the harness's
// platforms and a few more (a helicopter, mines, decoys, a depth charge, buoys and rocks, the
// mobile mine and the support units), recording services, the replay log, and controllers that
// record how the entity classes ask for them.

#include "entity_fixture.h"
#include "sim/entities/motion/submarine_motion.h"
#include "sim/entities/types/controller_makers.h"
#include "sim/simulation/mission_state.h"

#include <vector>

namespace q71::test {

/// The extra records, by id.
enum VehicleRecord : std::uint32_t {
    kRecordRescue = 4,      ///< "Dsrv": the rescue submarine
    kRecordHelicopter = 30, ///< "Helo"
    kRecordInfluence = 31,  ///< "InfluenceMine"
    kRecordContact = 32,    ///< "ContactMine"
    kRecordDecoy = 33,      ///< "Decoy": a countermeasure
    kRecordCharge = 34,     ///< "Charge": a depth charge
    kRecordBuoy = 35,       ///< "Buoy": a float
    kRecordRock = 36,       ///< "Rock"
    kRecordRunner = 37,     ///< "Runner": a mobile mine, no crush depth
    kRecordTeam = 44,       ///< "Seal-Team": the shore team's boat
    kRecordRocket = 38,     ///< "Captor": a rock that carries a torpedo
    kRecordDeepFish = 39,   ///< "DeepFish": a torpedo with a crush depth
    kRecordCruise = 56,     ///< "Tomahawk": the cruise missile of the capsules
    kRecordHarpoon = 57,    ///< "Harpoon": the missile of the tubes
    kRecordStill = 58,      ///< "Still": a torpedo that cannot run
    kRecordOdd = 59,        ///< "Odd": a record of a kind no entity is made of
};

/// The own boat's model with too little left to launch with.
class SpentMotion final : public SubmarineMotion {
public:
    using SubmarineMotion::SubmarineMotion;
    double launchValue() const override { return 39.0; }
};

/// The host screen's calls, counted.
class RecordingHost final : public HostScreen {
public:
    void ownShipDestroyed() override { ++lost; }
    void setEngineSound(bool) override {}
    void showDeathScreen() override { ++deathScreens; }
    int lost = 0;
    int deathScreens = 0;
};

/// A controller made through the installed makers: it remembers its class and value.
class MadeController final : public EntityController {
public:
    MadeController(Entity& owner, ControllerClass made, double value)
        : EntityController(owner), madeAs(made), value(value) {}
    ControllerClass madeAs;
    double value;
};

/// The makers of every controller class, installed for the object's lifetime.
class RecordingMakers {
public:
    RecordingMakers();
    ~RecordingMakers();
    RecordingMakers(const RecordingMakers&) = delete;
    RecordingMakers& operator=(const RecordingMakers&) = delete;
};

/// The controller an entity was given through the makers, or null.
MadeController* madeController(const Entity& entity);

/// The entity world of the harness with the extra records loaded as well.
class VehicleWorld : public EntityWorld {
protected:
    VehicleWorld() { missionState() = MissionState{}; }

    /// An entity of a record with a motion model of a class (and a plain controller when steered),
    /// placed at rest, in the world.
    template <class Motion>
    Entity& vehicle(const char* type, std::int32_t kind, WorldPoint at, bool steered = true,
                    std::int32_t level = 2) {
        auto& entity = harness.add(new Entity(1, type, level, kind, -1));
        entity.motion = std::make_unique<Motion>(entity);
        if (steered)
            entity.controller = std::make_unique<EntityController>(entity);
        place(*entity.motion, at);
        return entity;
    }
    /// Sets a model going on its heading: drive, ordered speed, speed, headway and velocity.
    static void underWay(MotionModel& m, double speed);
    /// Places a model, level and at rest, with its smoothed state where it is.
    static void place(MotionModel& m, WorldPoint at, double heading = 0.0);
    /// Integrates a model for `seconds` in world sub-steps, taking a snapshot before each.
    static void run(MotionModel& m, double seconds, double dt = 0.4);

    /// Installs the recording host beside the recording sound and front end.
    void installHost() {
        simInstallServices({.audio = &services.audio, .host = &host, .frontEnd = &services.frontEnd});
    }

    RecordTable vehicleRecords{withVehicleRecords()};
    RecordingHost host;

private:
    static std::vector<ObjectRecord> withVehicleRecords();
};

} // namespace q71::test
