// The object database of the generated data set, read as the program reads it at start-up and
// held to what the simulation needs of its records.
#include "framework/resources/registry.h"
#include "sim/world/object_database.h"
#include "support/data_set_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <unistd.h>

namespace q71 {
namespace {

class DataSetObjects : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::loadDataSetSettings(); // afresh: a suite before this one may have installed its own
        appReadInstallPaths();
        ASSERT_EQ(::chdir(rootInstallPath), 0) << rootInstallPath;
        ASSERT_TRUE(objdbLoad());
    }
    static void TearDownTestSuite() { objdbFree(); }

    template <class Check> static void forEachRecord(Check check) {
        for (int i = 0; i < objdbCount(); ++i) {
            const ObjectRecord& r = *objdbGetByIndex(i);
            SCOPED_TRACE(std::string(r.keyName.view()));
            check(r);
        }
    }
};

TEST_F(DataSetObjects, IdsAreUniqueAndInRange) {
    EXPECT_GT(objdbCount(), 50);
    std::set<std::uint32_t> ids;
    forEachRecord([&](const ObjectRecord& r) {
        EXPECT_GE(r.id, 1u);
        EXPECT_LE(r.id, 149u);
        EXPECT_TRUE(ids.insert(r.id).second);
        EXPECT_EQ(objdbFindByName(r.keyName.view()), &r);
    });
}

TEST_F(DataSetObjects, RecordsThePartsNameArePresent) {
    const struct {
        const char* key;
        std::uint32_t id;
    } named[] = {{"Q71i", 1},     {"Dsrv", 4},      {"Seal-Team", 44}, {"Tomahawk", 56},
                 {"Whale", 0},    {"Adcap", 0},     {"Harpoon", 0},    {"slmm", 0},
                 {"Counter2", 0}, {"Explosion", 0}, {"Burke", 0},      {"Merchant", 0}};
    for (const auto& n : named) {
        const ObjectRecord* r = objdbFindByName(n.key);
        ASSERT_NE(r, nullptr) << n.key;
        if (n.id) {
            EXPECT_EQ(r->id, n.id) << n.key;
        }
    }
    ASSERT_NE(objdbFindById(39), nullptr);
    EXPECT_EQ(objdbFindById(39)->category(), kCategoryFloat);
    EXPECT_GT(objdbFindByName("Burke")->mastHeight, 0.0f);
    EXPECT_GT(objdbFindByName("Merchant")->mastHeight, 0.0f);
    EXPECT_EQ(objdbFindByName("slmm")->category(), kCategoryMine);
}

TEST_F(DataSetObjects, TheOwnBoatCanDive) {
    const ObjectRecord& own = *objdbFindById(1);
    EXPECT_EQ(own.category(), kCategorySub);
    EXPECT_EQ(own.kind, kObjectKindSubmarine);
    EXPECT_GT(own.maxSpeed, 0);
    EXPECT_LT(own.testDepth, 0);
    EXPECT_LT(own.crushDepth, own.testDepth);
    EXPECT_GT(own.sonarFigure, 0.0f);
    EXPECT_GT(own.esmFigure, 0.0f);
}

TEST_F(DataSetObjects, FiguresAndDepthsKeepTheirSigns) {
    forEachRecord([](const ObjectRecord& r) {
        EXPECT_NE(r.category(), kCategoryOther);
        EXPECT_GE(r.armour, 1);
        EXPECT_LE(r.testDepth, 0);
        EXPECT_LE(r.crushDepth, 0);
        for (float figure :
             {r.sonarFigure, r.radarFigure, r.esmFigure, r.visualFigure, r.type6Figure, r.fallbackRange}) {
            EXPECT_GE(figure, 0.0f);
            EXPECT_LT(figure, 4.0f); // the passive curves divide by 4 minus the figure
        }
        EXPECT_GE(r.activeSonar, 0);
        EXPECT_LT(r.activeSonar, 10); // kHz, heard by the bow array below 10 kHz
    });
}

TEST_F(DataSetObjects, WeaponsHaveRangesAndLoadsResolve) {
    forEachRecord([](const ObjectRecord& r) {
        const EntityCategory c = r.category();
        if (c == kCategoryTorp || c == kCategoryMissile || c == kCategoryDepth) {
            EXPECT_GT(r.weaponValue, 0);
        }
        for (const WeaponLoad& load : r.weapons) {
            if (load.keyName.empty())
                continue;
            const ObjectRecord* weapon = objdbFindByName(load.keyName.view());
            ASSERT_NE(weapon, nullptr) << load.keyName.view();
            EXPECT_GT(load.count, 0);
            EXPECT_NE(weapon->category(), kCategorySub);
        }
    });
}

TEST_F(DataSetObjects, HeardPlatformsReachEveryReceiver) {
    const auto lineIn = [](const ObjectRecord& r, int low, int high) {
        return std::any_of(r.signatureValues.begin(), r.signatureValues.end(),
                           [&](std::int32_t f) { return f > low && f < high; });
    };
    forEachRecord([&](const ObjectRecord& r) {
        // A first value of 0 gives a record no signature tables at all.
        if (std::any_of(r.signatureValues.begin(), r.signatureValues.end(),
                        [](std::int32_t f) { return f; })) {
            EXPECT_NE(r.signatureValues[0], 0);
        }
        const EntityCategory c = r.category();
        if (c != kCategorySub && c != kCategoryShip && c != kCategoryTorp && c != kCategoryCm)
            return;
        EXPECT_GT(r.signatureFactor, 0.0f);
        EXPECT_TRUE(lineIn(r, 10, 600)) << "simple sonars";
        EXPECT_TRUE(lineIn(r, 50, 1000)) << "hull array";
        EXPECT_TRUE(lineIn(r, 750, 10000)) << "bow array";
    });
}

} // namespace
} // namespace q71
