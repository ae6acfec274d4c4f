#include "sim/entities/contact_track.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace q71 {
namespace {

// The rule as it reads: every fix's range in yards worked out, the first of the largest kept.
std::size_t plainFarthest(const FixList& fixes, const WorldPoint& from) {
    std::size_t farthest = 0;
    double most = -1.0;
    for (std::size_t age = 0; age < fixes.size(); ++age)
        if (const double range = fixRangeYards(from, fixes[age]); range > most) {
            most = range;
            farthest = age;
        }
    return farthest;
}

FixList fixesAt(const std::vector<WorldPoint>& points) {
    FixList fixes;
    for (const WorldPoint& point : points) { // pushed oldest first: age 0 is the last point
        ContactFix fix;
        fix.x = point.x;
        fix.y = point.y;
        fixes.push(fix, points.size());
    }
    return fixes;
}

double ulpsAway(double value, int ulps) {
    for (; ulps > 0; --ulps)
        value = std::nextafter(value, std::numeric_limits<double>::infinity());
    for (; ulps < 0; ++ulps)
        value = std::nextafter(value, -std::numeric_limits<double>::infinity());
    return value;
}

// Fixed layouts with known answers: exact ties (mirror images about the owner) go to the
// youngest, ranges a few units in the last place apart still go to the largest, and offsets
// beyond the squares' span (tiny, huge, infinite, NaN) follow the plain rule.
TEST(FarthestFix, KnownLayoutsPickTheFirstLargestRange) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const WorldPoint owner{5000.0, -3000.0, 0.0};
    struct Case {
        const char* name;
        std::vector<WorldPoint> points; // oldest first
        std::size_t age;                // expected, age 0 the newest (last point)
    };
    const std::vector<Case> cases{
        {"one fix", {{1.0, 2.0, 0.0}}, 0},
        {"all on the owner", {owner, owner, owner}, 0},
        {"mirror ties go to the youngest",
         {{owner.x + 300, owner.y + 400, 0},
          {owner.x - 400, owner.y - 300, 0},
          {owner.x + 500, owner.y, 0},
          {owner.x + 100, owner.y, 0}},
         1},
        {"the oldest farthest",
         {{owner.x + 9e4, owner.y, 0}, {owner.x, owner.y + 10, 0}, {owner.x, owner.y, 0}},
         2},
        {"eight units in the last place",
         {{ulpsAway(owner.x + 7000, 8), owner.y, 0}, {owner.x + 7000, owner.y, 0}},
         1},
        {"huge offset", {{owner.x + 1e200, owner.y, 0}, {owner.x + 1e199, owner.y + 1e200, 0}}, 0},
        {"infinite offset", {{owner.x + 10, owner.y, 0}, {inf, nan, 0}, {owner.x + 20, owner.y, 0}}, 1},
        {"NaN skipped", {{owner.x + 10, owner.y, 0}, {nan, owner.y, 0}, {owner.x + 5, owner.y, 0}}, 2},
        {"only NaN", {{nan, 0, 0}, {0, nan, 0}}, 0},
    };
    for (const Case& c : cases) {
        const FixList fixes = fixesAt(c.points);
        EXPECT_EQ(farthestFixAge(fixes, owner), c.age) << c.name;
        EXPECT_EQ(farthestFixAge(fixes, owner), plainFarthest(fixes, owner)) << c.name;
    }
    // Offsets so small their squares lose every digit: the plain rule still tells them apart.
    const WorldPoint origin{0, 0, 0};
    const FixList tiny = fixesAt({{3e-200, 0, 0}, {0, 4e-200, 0}, {2e-200, 2e-200, 0}});
    EXPECT_EQ(farthestFixAge(tiny, origin), 1u); // 4e-200 away
}

// Random fixes spread over a sea, and fixes crowded onto one range (the same offset turned by
// quarter turns and mirrored, or moved a few units in the last place), around owners anywhere:
// always the fix the plain rule picks.
TEST(FarthestFix, RandomAndNearlyTiedFixesPickAsThePlainRule) {
    std::mt19937 random(4747);
    std::uniform_real_distribution<double> place(-2e5, 2e5);
    std::uniform_int_distribution<int> count(1, 40);
    std::uniform_int_distribution<int> ulps(-3, 3);
    int nearTies = 0;
    for (int round = 0; round < 20000; ++round) {
        const WorldPoint owner{place(random), place(random), 0.0};
        const bool crowded = round % 2 == 1;
        const double dx = place(random), dy = place(random);
        std::vector<WorldPoint> points;
        for (int i = count(random); i > 0; --i) {
            if (!crowded) {
                points.push_back({place(random), place(random), 0.0});
                continue;
            }
            const double ox = random() % 2 ? dx : dy, oy = ox == dx ? dy : dx;
            const double sx = random() % 2 ? 1.0 : -1.0, sy = random() % 2 ? 1.0 : -1.0;
            points.push_back(
                {ulpsAway(owner.x + sx * ox, ulps(random)), ulpsAway(owner.y + sy * oy, ulps(random)), 0.0});
        }
        const FixList fixes = fixesAt(points);
        const std::size_t expected = plainFarthest(fixes, owner);
        ASSERT_EQ(farthestFixAge(fixes, owner), expected) << "round " << round;
        if (crowded && expected + 1 < fixes.size() &&
            fixRangeYards(owner, fixes[expected]) == fixRangeYards(owner, fixes[expected + 1]))
            ++nearTies;
    }
    EXPECT_GT(nearTies, 100); // the crowded rounds did tie
}

} // namespace
} // namespace q71
