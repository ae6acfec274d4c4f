#include "sim/entities/contact_record.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

namespace q71 {
namespace {

ContactFix fixAt(double time) {
    ContactFix fix;
    fix.time = time;
    return fix;
}

std::vector<double> times(const FixList& list) {
    std::vector<double> out;
    for (std::size_t age = 0; age < list.size(); ++age)
        out.push_back(list[age].time);
    return out;
}

TEST(FixList, KeepsTheNewestFirstUpToItsLimit) {
    FixList list;
    for (int t = 1; t <= 3; ++t)
        list.push(fixAt(t), 3);
    EXPECT_EQ(times(list), (std::vector<double>{3, 2, 1}));
    // Full: each new fix takes the oldest one's place, whichever slot of the ring that is.
    for (int t = 4; t <= 7; ++t)
        list.push(fixAt(t), 3);
    EXPECT_EQ(times(list), (std::vector<double>{7, 6, 5}));
    EXPECT_EQ(list.newest().time, 7);
}

TEST(FixList, GrowsAgainAfterWrappingAndTrimsTheOldest) {
    FixList list;
    for (int t = 1; t <= 5; ++t)
        list.push(fixAt(t), 3); // the ring has wrapped: the oldest is not in its first slot
    list.push(fixAt(6), 5);     // a larger limit lets it grow from there
    list.push(fixAt(7), 5);
    EXPECT_EQ(times(list), (std::vector<double>{7, 6, 5, 4, 3}));
    list.trim(2);
    EXPECT_EQ(times(list), (std::vector<double>{7, 6}));
    list.push(fixAt(8), 1); // a smaller limit first drops to it
    EXPECT_EQ(times(list), (std::vector<double>{8}));
    list.push(fixAt(9), 0);
    EXPECT_TRUE(list.empty());
}

// Random pushes under changing limits, trims and edits of the newest, against a plain
// newest-first list: every age reads the fix it should, wherever the ring has wrapped to, and the
// newest's time and quality kept beside the ring are the newest fix's.
TEST(FixList, EveryAgeReadsAsInAPlainNewestFirstList) {
    std::mt19937 random(88);
    FixList list;
    std::deque<double> expected; // newest first
    for (int step = 1; step <= 5000; ++step) {
        const std::size_t limit = random() % 7;
        switch (random() % 5) {
        case 0:
            list.trim(limit);
            if (expected.size() > limit)
                expected.resize(limit);
            break;
        case 1:
            if (!list.empty()) {
                const double edited = -step;
                list.editNewest([edited](ContactFix& newest) {
                    newest.time = edited;
                    newest.quality = static_cast<std::uint8_t>(-edited) % 101;
                });
                expected.front() = edited;
            }
            break;
        default: {
            ContactFix fix = fixAt(step);
            fix.quality = static_cast<std::uint8_t>(random() % 101);
            list.push(fix, limit);
            expected.push_front(step);
            if (expected.size() > limit)
                expected.resize(limit);
        }
        }
        ASSERT_EQ(times(list), std::vector<double>(expected.begin(), expected.end())) << "step " << step;
        if (!list.empty()) {
            ASSERT_EQ(list.newestTime(), list.newest().time) << "step " << step;
            ASSERT_EQ(list.newestQuality(), list.newest().quality) << "step " << step;
        }
    }
}

} // namespace
} // namespace q71
