#include "entity_fixture.h"

#include "sim/simulation/mission_state.h"

namespace q71::test {
namespace {

// Two frigates (armour 10, 36 m long): one runs north at 10 into the other's stern.
class MotionCollision : public EntityWorld {
protected:
    void collideAt(double t) {
        setClock(t);
        ramming.motion->checkCollision(0.4);
    }

    HarnessEntity& ramming = platform(1, {1000, 1000, 0}, 0.0, 10.0);
    HarnessEntity& struck = platform(1, {1000, 1040, 0}, 0.0, 0.0);
};

TEST_F(MotionCollision, DamagesBothHullsOnceAMinuteAndSharesTheirWay) {
    collideAt(100.0);
    // Impact: 10 along the bow of the rammer, nothing from the stationary hull: damage 5 each.
    EXPECT_DOUBLE_EQ(ramming.hull, 0.5);
    EXPECT_DOUBLE_EQ(struck.hull, 0.5);
    EXPECT_EQ(ramming.motion->lastCollisionTime, 100.0);
    EXPECT_EQ(struck.motion->lastCollisionTime, 100.0);
    EXPECT_EQ(ramming.motion->velocityY, 5.0); // both take the mean way
    EXPECT_EQ(struck.motion->velocityY, 5.0);
    EXPECT_EQ(ramming.motion->driveSpeed, 5.0); // a bow or stern hit takes the mean speed
    collideAt(130.0);                           // again within the minute: no damage, no event
    EXPECT_DOUBLE_EQ(ramming.hull, 0.5);
    EXPECT_EQ(loggedOfKind(kEventCollision).size(), 1u);
}

TEST_F(MotionCollision, ForgetsTheLastCollisionAMinuteAfterItWasClear) {
    collideAt(100.0);
    struck.motion->smoothedState[kSampleY] = 5000.0; // apart
    collideAt(161.0);
    EXPECT_EQ(ramming.motion->lastCollisionTime, -60.0);
}

TEST_F(MotionCollision, AHullClearAboveOrBelowPassesOver) {
    struck.motion->smoothedState[kSampleZ] = -18.0; // its band meets the other's only at an edge
    collideAt(100.0);
    EXPECT_EQ(ramming.hull, 1.0);
    struck.motion->smoothedState[kSampleZ] = -17.0;
    collideAt(100.0);
    EXPECT_LT(ramming.hull, 1.0);
}

TEST_F(MotionCollision, AHullWithoutSizeOrItsOwnWeaponNeverCollides) {
    struck.motion->boundingRadius = 0;
    collideAt(100.0);
    EXPECT_EQ(ramming.hull, 1.0);
    struck.motion->boundingRadius = 18;
    struck.parentId = ramming.id; // launched by it
    collideAt(100.0);
    EXPECT_EQ(ramming.hull, 1.0);
}

TEST_F(MotionCollision, TheOwnBoatRecordsItsDamageAndSoundsTheAlarmEveryTwoMinutes) {
    worldSetOwnShip(&struck);
    collideAt(1000.0);
    ramming.hull = struck.hull = 1.0;
    collideAt(1061.0); // a new collision, but the alarm waits two minutes
    ramming.hull = struck.hull = 0.2;
    collideAt(1200.0); // the own boat is lost by it
    EXPECT_EQ(services.audio.played, (std::vector<std::string>{"collision.wav", "collision.wav"}));
    EXPECT_EQ(missionState().ownBoatLossCause, kLossCollision);
    missionState().ownBoatLossCause = kLossNone;
    const std::vector<ReplayEvent> damage = loggedOfKind(kEventOwnBoatDamage);
    ASSERT_EQ(damage.size(), 3u);
    EXPECT_EQ(damage[0].x, -500.0);
    EXPECT_EQ(damage[0].extra, kLossCollision);
}

} // namespace
} // namespace q71::test
