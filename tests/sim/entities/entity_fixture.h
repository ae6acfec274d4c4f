#pragma once
// A world of the harness's platforms with recording services, for the tests of entities,
// motion, controllers and sensors. Everything is undone when the test ends.

#include "sim/entities/entity_events.h"
#include "sim/scoring/replay_log.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "sim/support/scoped_folders.h"
#include "sim/support/scoring_fakes.h"
#include "sim/support/world_harness.h"

#include <gtest/gtest.h>

namespace q71::test {

class EntityWorld : public ::testing::Test {
protected:
    EntityWorld() {
        soundProfile() = SoundProfile{}; // isothermal water, whatever a mission run before left
        replayLogOpen();
    }
    ~EntityWorld() override { replayLogClose(); }

    /// A platform of the harness added to the world.
    HarnessEntity& platform(std::int32_t side, WorldPoint at, double heading = 0.0, double speed = 0.0,
                            const char* type = "Frigate", std::int32_t level = 2) {
        const std::int32_t kind = std::string_view(type) == "Hunter" ? kKindSubsurface : kKindSurface;
        auto& entity = harness.add(new HarnessEntity(side, type, level, kind, at, heading, speed));
        entity.motion->snapshotState(); // collisions are tested where the hull is seen to be
        return entity;
    }
    /// An entity of a record with the plain motion model, at a place, added to the world.
    Entity& body(std::int32_t side, const char* type, std::int32_t kind, WorldPoint at) {
        auto& entity = harness.add(new Entity(side, type, 2, kind, -1));
        entity.motion = std::make_unique<MotionModel>(entity);
        entity.motion->x = at.x;
        entity.motion->y = at.y;
        entity.motion->z = entity.motion->orderedDepth = at.z;
        entity.motion->snapshotState();
        return entity;
    }
    /// Moves the game clock (the world is not stepped).
    static void setClock(double t) { simClock().gameClock = t; }
    /// The events logged so far, in order; the log is closed, so this comes at the end of a test.
    static std::vector<ReplayEvent> logged() {
        replayLogClose();
        return replayLogRead();
    }
    /// Logged events of one kind.
    static std::vector<ReplayEvent> loggedOfKind(std::int32_t kind) {
        std::vector<ReplayEvent> found;
        for (const ReplayEvent& event : logged())
            if (event.kind == kind)
                found.push_back(event);
        return found;
    }

    PlayerFolder folder;
    RecordTable records{harnessRecords()};
    RecordingServices services;
    WorldHarness harness{1};
};

} // namespace q71::test
