// The course dial on a running mission of the data set, headless: clicks order the course they
// point at, the arrow keys step the order and commit it 1500 ms after the last step, and the
// pointers follow the boat and the order.
#include "tactical/support/station_mission.h"

#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "stations/shipctrl/course_dial.h"
#include "stations/shipctrl/ship_control.h"
#include "stations/shipctrl/area_pixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace q71::test {
namespace {

// The dial's window on the station and its centre.
constexpr int kLeft = 417, kTop = 41, kHalf = 47;

class CourseDialTest : public StationMission {
protected:
    CourseDialTest() {
        startMission("Sa1.scn");
        station = &buildStation<ShipControl>(kStationShipControl, "shipctrl");
        showStation(kStationShipControl);
    }

    OwnShipMotion& boat() { return *worldOwnSubmarine()->ownMotion; }
    CourseDial& dial() { return station->courseDial(); }
    std::vector<std::uint32_t> dialPixels() { return areaPixels(*stationPicture(), kLeft, kTop, 95, 95); }

    ShipControl* station = nullptr;
};

TEST_F(CourseDialTest, AClickOrdersTheCompassBearingOfThePointClicked) {
    struct Case {
        int dx, dy;
        double course;
    };
    // Up is north and 360 is never ordered; the centre itself orders nothing.
    for (const Case c : {Case{30, 0, 90.0}, Case{0, 30, 180.0}, Case{-30, 0, 270.0}, Case{0, -30, 0.0},
                         Case{20, -20, 45.0}}) {
        boat().orderedCourse = 123.0;
        clickAt({kLeft + kHalf + c.dx, kTop + kHalf + c.dy});
        EXPECT_DOUBLE_EQ(boat().orderedCourse, c.course) << c.dx << ", " << c.dy;
        EXPECT_DOUBLE_EQ(dial().ordered(), c.course);
        EXPECT_EQ((dial().orderedPointer().angle + static_cast<int>(c.course)) % 360, 0)
            << "the wedge turns clockwise by the course";
    }
    boat().orderedCourse = 123.0;
    clickAt({kLeft + kHalf, kTop + kHalf});
    EXPECT_DOUBLE_EQ(boat().orderedCourse, 123.0);
}

TEST_F(CourseDialTest, ArrowKeysStepTheOrderAndCommitItAfterTheLastStep) {
    boat().orderedCourse = 359.0;
    station->courseReply(false);
    for (int key : {39, 39, 37, 39})
        EXPECT_EQ(station->onKey(key, 1), 1);
    EXPECT_EQ(station->onKey(38, 1), 0) << "up is not the dial's";
    EXPECT_DOUBLE_EQ(dial().ordered(), 1.0) << "steps wrap past north";
    run(1400);
    EXPECT_DOUBLE_EQ(boat().orderedCourse, 359.0) << "not yet: 1500 ms after the last step";
    station->onKey(39, 1);
    run(1400);
    EXPECT_DOUBLE_EQ(boat().orderedCourse, 359.0) << "a further step restarts the wait";
    run(200);
    EXPECT_DOUBLE_EQ(boat().orderedCourse, 2.0);
    run(3000);
    EXPECT_DOUBLE_EQ(boat().orderedCourse, 2.0);
}

TEST_F(CourseDialTest, ThePointerFollowsTheHeadingAndThePictureChangesWithIt) {
    OwnShipMotion& m = boat();
    m.orderedCourse = m.heading;
    station->courseReply(false);
    station->update();
    const auto before = dialPixels();
    m.heading = std::fmod(m.heading + 90.0, 360.0);
    m.orderedCourse = m.heading;
    station->update();
    EXPECT_EQ(dial().getState(), static_cast<int>(m.heading));
    EXPECT_NE(dialPixels(), before) << "the pointer moved on the picture";
    m.heading = 0.0;
    station->update();
    EXPECT_EQ(dial().getState(), 0) << "north reads 0, not 360";
}

TEST_F(CourseDialTest, TheOrderedCourseMarkStandsOutFromWhatItCovers) {
    // The mark east, then west; what changed on the east half is the mark and what it covers.
    OwnShipMotion& m = boat();
    m.heading = 0.0;
    const auto dialAt = [&](double ordered) {
        m.orderedCourse = ordered;
        station->courseReply(false);
        station->update();
        return stationPicture();
    };
    const BitmapRef east = dialAt(90.0);
    const BitmapRef west = dialAt(270.0);
    const PixelSurface marked = east->surface(), bare = west->surface();
    const auto channels = [](ColorRef c) { return std::array<int, 3>{int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF)}; };
    int pixels = 0;
    double sum = 0.0, least = 1e9;
    for (int y = kTop; y < kTop + 95; ++y)
        for (int x = kLeft + kHalf + 1; x < kLeft + 95; ++x) {
            const auto a = channels(marked.decode(marked.read(x, y)));
            const auto b = channels(bare.decode(bare.read(x, y)));
            if (a == b)
                continue;
            const double d = std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
            ++pixels;
            sum += d;
            least = std::min(least, d);
        }
    EXPECT_GE(pixels, 30) << "a mark big enough to find at a glance";
    ASSERT_GT(pixels, 0);
    EXPECT_GE(sum / pixels, 110.0) << "on average the mark stands out from the rim, the scale and the face";
    EXPECT_GE(least, 75.0) << "and nowhere blends into them (a gold mark on the brass rim would)";
}

} // namespace
} // namespace q71::test
