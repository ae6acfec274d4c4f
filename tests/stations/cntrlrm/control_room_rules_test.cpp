// The control room's rules without a window: the walk between its nine viewpoints (wrap-around,
// the five blended steps, a second press during a move) and the way from a part of the room or a
// station button to the host's station.
#include "stations/cntrlrm/room_stations.h"
#include "stations/cntrlrm/viewpoint_walk.h"

#include <gtest/gtest.h>

#include <vector>

namespace q71::test {
namespace {

// Runs a move to its end, as the screen's updates do, and marks where it ended.
void finish(ViewpointWalk& walk) {
    while (walk.moving())
        walk.step();
    walk.markCurrent();
}

TEST(ViewpointWalk, TheArrowsTurnRoundTheNineViewpoints) {
    struct Case {
        int from;
        int direction;
        int to;
    };
    for (const Case c : {Case{0, -1, 8}, Case{8, +1, 0}, Case{0, +1, 1}, Case{5, -1, 4}, Case{7, +1, 8}}) {
        ViewpointWalk walk;
        for (int i = 0; i < c.from; ++i) {
            walk.start(+1);
            finish(walk);
        }
        ASSERT_EQ(walk.current(), c.from);
        walk.start(c.direction);
        EXPECT_EQ(walk.current(), c.to) << c.from << " " << c.direction;
        EXPECT_EQ(walk.previous(), c.from);
        EXPECT_EQ(walk.stepsLeft(), 5);
        EXPECT_EQ(walk.marked(), c.from) << "the marker waits for the end of the move";
    }
}

TEST(ViewpointWalk, FiveStepsBlendTheCameraFromTheRowLeftToTheRowReached) {
    // Viewpoint 0 (-4.1, 6.1, -4.4, 165, -10) to viewpoint 1 (-0.6, 6.7, -3.9, 191, -2), a fifth each step.
    const std::vector<RoomCamera> expected = {
        {-3.4f, 6.22f, -4.3f, 170.2f, -8.4f}, {-2.7f, 6.34f, -4.2f, 175.4f, -6.8f},
        {-2.0f, 6.46f, -4.1f, 180.6f, -5.2f}, {-1.3f, 6.58f, -4.0f, 185.8f, -3.6f},
        {-0.6f, 6.7f, -3.9f, 191.0f, -2.0f},
    };
    ViewpointWalk walk;
    walk.start(+1);
    for (std::size_t k = 0; k < expected.size(); ++k) {
        ASSERT_TRUE(walk.moving());
        const RoomCamera c = walk.step();
        EXPECT_NEAR(c.x, expected[k].x, 1e-4) << "step " << k;
        EXPECT_NEAR(c.y, expected[k].y, 1e-4) << "step " << k;
        EXPECT_NEAR(c.z, expected[k].z, 1e-4) << "step " << k;
        EXPECT_NEAR(c.heading, expected[k].heading, 1e-3) << "step " << k;
        EXPECT_NEAR(c.pitch, expected[k].pitch, 1e-4) << "step " << k;
    }
    EXPECT_FALSE(walk.moving());
}

TEST(ViewpointWalk, ASecondPressDuringAMoveKeepsWhereItCameFromAndStartsFiveStepsAgain) {
    ViewpointWalk walk;
    walk.start(+1);
    walk.step();
    walk.step();
    walk.start(+1);
    EXPECT_EQ(walk.current(), 2);
    EXPECT_EQ(walk.previous(), 0);
    EXPECT_EQ(walk.stepsLeft(), 5);
    // The first step from viewpoint 0 towards viewpoint 2 (x 3.8): a fifth of the way.
    EXPECT_NEAR(walk.step().x, -4.1f * 0.8f + 3.8f * 0.2f, 1e-4);
    // Back again before the end: the move still comes from 0.
    walk.start(-1);
    EXPECT_EQ(walk.current(), 1);
    EXPECT_EQ(walk.previous(), 0);
    finish(walk);
    EXPECT_EQ(walk.marked(), 1);
}

TEST(RoomStations, PartsOfTheRoomLeadThroughTheirButtonToTheHostStation) {
    struct Case {
        int objectId;
        int button;
        int station;
    };
    // Host stations: 0 ship control, 1 sonar, 2 radar, 3 radio, 4 TMA, 5 fire control,
    // 6 periscope, 10 navigation, 11 state room.
    for (const Case c : {Case{1, -1, -1}, Case{2, 8, 10}, Case{3, 7, 6}, Case{4, 7, 6}, Case{5, -1, -1},
                         Case{6, 1, 0}, Case{7, -1, -1}, Case{8, 2, 11}, Case{9, -1, -1}, Case{10, -1, -1},
                         Case{11, 6, 2}, Case{12, 5, 5}, Case{13, 4, 4}, Case{14, 3, 1}, Case{15, 9, 3},
                         Case{0, -1, -1}, Case{16, -1, -1}, Case{-3, -1, -1}}) {
        EXPECT_EQ(roomObjectButton(c.objectId), c.button) << "object " << c.objectId;
        EXPECT_EQ(roomObjectStation(c.objectId), c.station) << "object " << c.objectId;
    }
    EXPECT_NE(roomObjectStation(2), 8) << "the chart table is navigation, not the ship books";
}

TEST(RoomStations, OnlyTheNineStationButtonsLeadToAStation) {
    const std::vector<int> column = {0, 11, 1, 4, 5, 2, 6, 10, 3};
    for (int command = 1; command <= 9; ++command)
        EXPECT_EQ(roomCommandStation(command), column[static_cast<std::size_t>(command - 1)]) << command;
    for (int command : {0, 10, 11, 12, -1, 65536})
        EXPECT_EQ(roomCommandStation(command), -1) << command;
}

} // namespace
} // namespace q71::test
