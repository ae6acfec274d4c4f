#include "entity_fixture.h"

#include "sim/entities/motion/collision_index.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/world_lists.h"

#include <random>

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

TEST_F(CollisionPairs, IndexesTakingTurnsWithOneStorageAnswerForTheWorldAsItStandsNow) {
    HarnessEntity& first = platform(1, {1000, 1000, 0});
    HarnessEntity& near = platform(1, {1060, 1000, 0});
    HarnessEntity& far = platform(1, {9000, 1000, 0});
    const std::vector<std::int32_t> nearOnly{near.id}, none{};
    CollisionIndex::Storage storage;
    {
        const CollisionIndex outer(storage);
        EXPECT_EQ(after(outer, first), nearOnly);
        {
            // An index made while another lives (a step within a step) must not take its arrays.
            const CollisionIndex inner(storage);
            EXPECT_EQ(CollisionIndex::active(), &inner);
            EXPECT_EQ(after(inner, first), nearOnly);
        }
        EXPECT_EQ(CollisionIndex::active(), &outer);
        EXPECT_EQ(after(outer, first), nearOnly);
        EXPECT_EQ(after(outer, near), none);
    }
    EXPECT_EQ(CollisionIndex::active(), nullptr);
    // The hulls move, and one goes: the next index knows nothing of the last one's cells.
    near.motion->smoothedState[kSampleX] = 20000.0;
    far.motion->smoothedState[kSampleX] = 1050.0;
    {
        const CollisionIndex index(storage);
        EXPECT_EQ(after(index, first), (std::vector<std::int32_t>{far.id}));
        EXPECT_EQ(after(index, near), none);
    }
    worldList().remove(&far);
    delete &far;
    const CollisionIndex index(storage);
    EXPECT_EQ(after(index, first), none);
}

// Whether two hulls pass the quick test of a pair: closer than their reach on every axis.
bool withinReach(const Entity& a, const Entity& b) {
    const MotionModel &ma = *a.motion, &mb = *b.motion;
    const int reach = ma.boundingRadius + mb.boundingRadius;
    for (int axis : {kSampleX, kSampleY, kSampleZ})
        if (std::abs(collisionWhole(ma.smoothedState[axis]) - collisionWhole(mb.smoothedState[axis])) >=
            reach)
            return false;
    return reach > 0;
}

TEST_F(CollisionPairs, TheIndexHandsOnEveryPairTheFullWalkWouldTestInTheSameOrder) {
    // Layouts of 300 hulls: packed so that many touch, spread thin, sitting on the cell lines (the
    // largest reach of two hulls apart) and on both sides of the world's edge.
    struct Layout {
        const char* name;
        double spread; // metres around the centre
        bool onCellLines;
    };
    const Layout layouts[] = {{"packed", 600.0, false},
                              {"sparse", 60000.0, false},
                              {"on cell lines", 1000.0, true},
                              {"across the edge", 1500.0, false}};
    std::mt19937 draws(47);
    // One storage for every layout, as the world step keeps one: each index fills arrays that
    // held the layout before.
    CollisionIndex::Storage storage;
    for (const Layout& layout : layouts) {
        std::uniform_real_distribution<double> offset(-layout.spread, layout.spread);
        const double centre = std::string_view(layout.name) == "across the edge" ? 0.0 : 50000.0;
        std::vector<Entity*> hulls;
        for (int i = 0; i < 300; ++i) {
            WorldPoint at{centre + offset(draws), centre + offset(draws), i % 3 == 0 ? -40.0 : 0.0};
            hulls.push_back(&platform(1 + i % 2, at, i * 7.0, 0.0, i % 3 == 0 ? "Hunter" : "Frigate"));
        }
        if (layout.onCellLines) {
            // Whole multiples of the cell size (twice the largest radius), and a hair either side.
            int largest = 0;
            for (const Entity* e : hulls)
                largest = std::max(largest, e->motion->boundingRadius);
            const double cell = 2.0 * largest;
            for (std::size_t i = 0; i < hulls.size(); ++i) {
                MotionModel& m = *hulls[i]->motion;
                const double nudge = static_cast<double>(i % 3) - 1.0;
                m.smoothedState[kSampleX] = std::round(m.smoothedState[kSampleX] / cell) * cell + nudge;
                m.smoothedState[kSampleY] = std::round(m.smoothedState[kSampleY] / cell) * cell - nudge;
            }
        }
        const CollisionIndex index(storage);
        int pairs = 0;
        for (std::size_t i = 0; i < hulls.size(); ++i) {
            std::vector<std::int32_t> full, culled;
            for (std::size_t j = i + 1; j < hulls.size(); ++j)
                if (withinReach(*hulls[i], *hulls[j]))
                    full.push_back(hulls[j]->id);
            std::vector<std::int32_t> handed = after(index, *hulls[i]);
            // Handed in list order (ids grow along the list), each once.
            EXPECT_TRUE(std::is_sorted(handed.begin(), handed.end())) << layout.name;
            EXPECT_EQ(std::adjacent_find(handed.begin(), handed.end()), handed.end()) << layout.name;
            for (std::int32_t id : handed)
                if (withinReach(*hulls[i], *worldFindEntity(id)))
                    culled.push_back(id);
            EXPECT_EQ(culled, full) << layout.name << ", hull " << i;
            pairs += static_cast<int>(full.size());
        }
        // The layout puts hulls within reach of one another, or, spread thin, hardly any.
        if (layout.spread < 10000.0) {
            EXPECT_GT(pairs, 50) << layout.name;
        }
        worldList().deleteAll();
    }
}

} // namespace
} // namespace q71::test
