#include "entity_fixture.h"

#include "sim/entities/motion/collision_index.h"

namespace q71::test {
namespace {

class CollisionPairs : public EntityWorld {
protected:
    // The ids the index hands on after a hull.
    static std::vector<std::int32_t> after(const CollisionIndex& index, const Entity& self) {
        std::vector<std::int32_t> ids;
        index.forEachAfter(self, [&](Entity& other) { ids.push_back(other.id); });
        return ids;
    }
};

TEST_F(CollisionPairs, AHullIsHandedTheNearHullsAfterItInListOrderThenTheNewcomers) {
    HarnessEntity& first = platform(1, {1000, 1000, 0});
    HarnessEntity& near = platform(1, {1060, 1000, 0});
    HarnessEntity& far = platform(1, {9000, 1000, 0});
    HarnessEntity& alsoNear = platform(1, {1000, 940, 0});
    const CollisionIndex index;
    EXPECT_EQ(CollisionIndex::active(), &index);
    EXPECT_EQ(after(index, first), (std::vector<std::int32_t>{near.id, alsoNear.id}));
    EXPECT_EQ(after(index, near), (std::vector<std::int32_t>{alsoNear.id}));
    EXPECT_EQ(after(index, far), (std::vector<std::int32_t>{}));
    // Whatever joins the world during the pass is handed on to everyone before it, wherever it is.
    HarnessEntity& newcomer = platform(1, {50000, 50000, 0});
    EXPECT_EQ(after(index, far), (std::vector<std::int32_t>{newcomer.id}));
    HarnessEntity& later = platform(1, {-50000, 0, 0});
    EXPECT_EQ(after(index, newcomer), (std::vector<std::int32_t>{later.id}));
    EXPECT_EQ(after(index, later), (std::vector<std::int32_t>{}));
}

TEST_F(CollisionPairs, HullsSteppedByTheWorldCollideAsWhenEachWalksTheList) {
    // One frigate runs north at 10 into the other's stern, as in the motion tests, a while into
    // the mission (a hull takes one collision a minute).
    simSetGameTime(100.0);
    HarnessEntity& ramming = platform(1, {1000, 1000, 0}, 0.0, 10.0);
    HarnessEntity& struck = platform(1, {1000, 1040, 0}, 0.0, 0.0);
    for (int pass = 0; pass < 4 && ramming.hull == 1.0; ++pass)
        harness.pass(0.5);
    EXPECT_EQ(CollisionIndex::active(), nullptr); // the index lives for one sub-step
    EXPECT_LT(ramming.hull, 1.0);
    EXPECT_LT(struck.hull, 1.0);
    EXPECT_EQ(loggedOfKind(kEventCollision).size(), 1u);
}

} // namespace
} // namespace q71::test
