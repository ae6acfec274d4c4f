// A countermeasure's life: it ends on the first update after its lifetime, takes no notice of
// its contacts, draws a torpedo while it lives and lets it go back to its target when it is gone.
#include "air_sea_world.h"
#include "sim/entities/controllers/countermeasure_controller.h"
#include "sim/entities/controllers/weapon_guidance.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/countermeasure_entities.h"
#include "sim/simulation/world_step.h"
#include "sim/support/sensed.h"

#include <gtest/gtest.h>

namespace q71::test {
namespace {

class Countermeasures : public AirSeaWorld {
protected:
    /// A decoy in the water at a place, living `lifetime` seconds from now.
    Entity& decoy(WorldPoint at, double lifetime) {
        Entity& cm = body(1, "Decoy", kKindSubsurface, at);
        cm.controller = std::make_unique<CountermeasureController>(cm, lifetime);
        return cm;
    }
    static ContactRecord* sense(Entity& sensing, Entity& sensed) { return senseWhereItIs(sensing, sensed); }
};

TEST_F(Countermeasures, ACountermeasureEndsOnTheFirstUpdateAfterItsLifetime) {
    setClock(100.0);
    Entity& cm = decoy({1000, 1000, -50}, 300.0);
    setClock(399.0);
    cm.controller->update(1.0);
    EXPECT_EQ(cm.removeFlag, 0u);
    setClock(400.0);
    cm.controller->update(1.0);
    EXPECT_EQ(cm.removeFlag, 0u); // its last second
    setClock(400.5);
    cm.controller->update(1.0);
    EXPECT_EQ(cm.removeFlag, 1u);
}

TEST_F(Countermeasures, ANoisemakerPutOutByABoatLivesFiveToTenMinutes) {
    Entity& boat = body(1, "Hunter", kKindSubsurface, {1000, 1000, -50});
    setClock(60.0);
    auto& cm = harness.add(new CountermeasureEntity(1, "Decoy", 2, boat.id, -50.0));
    const auto* life = dynamic_cast<const CountermeasureController*>(cm.controller.get());
    ASSERT_NE(life, nullptr);
    EXPECT_GE(life->expiryTime, 60.0 + 300.0);
    EXPECT_LE(life->expiryTime, 60.0 + 600.0);
}

TEST_F(Countermeasures, ACountermeasureMakesNothingOfWhatItHears) {
    Entity& cm = decoy({1000, 1000, -50}, 300.0);
    Entity& sub = body(2, "Hunter", kKindSubsurface, {1000, 2000, -50});
    ContactRecord* contact = sense(cm, sub);
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->reaction, kReactionNone);
    EXPECT_EQ(cm.controller->target, nullptr);
    EXPECT_TRUE(loggedOfKind(kEventMeeting).empty());
}

TEST_F(Countermeasures, ATorpedoTakesTheDecoyAndGoesBackToItsTargetWhenTheDecoyIsGone) {
    Entity& sub = body(2, "Hunter", kKindSubsurface, {1000, 4000, -50});
    Entity& torpedo = body(1, "Fish", kKindWeapon, {1000, 1000, -50});
    auto guidance = std::make_unique<GuidanceController>(torpedo);
    guidance->level = -4; // a seeker that every decoy fools: 7 - level lies above any draw of 10
    guidance->runEndTime = 10000.0;
    guidance->ceiling = 0.0;
    guidance->floor = -1000.0;
    GuidanceController& seeker = *guidance;
    torpedo.controller = std::move(guidance);
    ContactRecord* onSub = sense(torpedo, sub);
    ASSERT_EQ(seeker.target, onSub);

    // The boat puts out a decoy between itself and the torpedo: nearer, it draws the seeker.
    Entity& cm = decoy({1000, 2000, -50}, 60.0);
    cm.parentId = sub.id;
    ContactRecord* onDecoy = sense(torpedo, cm);
    EXPECT_EQ(onDecoy->reaction, kReactionAttack);
    EXPECT_EQ(seeker.target, onDecoy);

    // Its life over, the decoy goes at the next per-second pass and the torpedo loses it.
    setClock(61.0);
    worldSecondPass(1.0);
    EXPECT_EQ(cm.removeFlag, 1u);
    const std::int32_t decoyId = cm.id;
    setClock(62.0);
    worldSecondPass(1.0);
    EXPECT_EQ(worldFindEntity(decoyId), nullptr);
    EXPECT_EQ(torpedo.findContact(decoyId), nullptr);
    EXPECT_EQ(seeker.target, nullptr);
    // Without a target, the seeker chooses again among what it holds: the boat.
    setClock(63.0);
    worldSecondPass(1.0);
    EXPECT_EQ(seeker.target, onSub);
}

TEST_F(Countermeasures, TheEndOfItsLifeIsKeptInASavedMission) {
    setClock(20.0);
    Entity& cm = decoy({1000, 1000, -50}, 450.0);
    const std::vector<std::uint8_t> bytes = saved(*cm.controller);
    Entity& copy = body(1, "Decoy", kKindSubsurface, {0, 0, -50});
    const auto loaded = reloaded<CountermeasureController>(bytes, copy, 0.0);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->expiryTime, 470.0);
    EXPECT_EQ(reloaded<CountermeasureController>(withNaNAt(bytes, 24), copy, 0.0), nullptr);
}

} // namespace
} // namespace q71::test
