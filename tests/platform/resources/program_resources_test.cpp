// The program's numbered resources in the generated data set, and what a missing one does.
#include "platform/resources/program_resources.h"
#include "platform/window/cursors.h"
#include "support/headless_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace q71 {
namespace {

// Every cursor and bitmap number the program and its stations load.
constexpr int kCursors[] = {104, 108, 144, 155, 156, 159};
constexpr int kBitmaps[] = {102, 103, 106, 152};

using ProgramResources = test::HeadlessWindows;

TEST_F(ProgramResources, EveryResourceTheProgramNamesIsInTheDataSet) {
    testing::internal::CaptureStderr();
    for (int number : kCursors)
        EXPECT_NE(resourceLoadCursor(number), cursorArrow()) << "cursor " << number;
    for (int number : kBitmaps) {
        BitmapRef bitmap = resourceLoadBitmap(number);
        ASSERT_TRUE(bitmap) << "bitmap " << number;
        EXPECT_GE(bitmap->width(), 8) << "bitmap " << number << " is a pattern a brush repeats";
        EXPECT_GE(bitmap->height(), 8) << "bitmap " << number;
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(ProgramResources, AMissingResourceIsNamedOnceAndAStandInServes) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(resourceLoadCursor(9001), cursorArrow());
    EXPECT_EQ(resourceLoadCursor(9001), cursorArrow());
    EXPECT_FALSE(resourceLoadBitmap(9002));
    EXPECT_FALSE(resourceLoadBitmap(9002));
    const std::string log = testing::internal::GetCapturedStderr();
    const auto count = [&](const std::string& name) {
        int n = 0;
        for (auto at = log.find(name); at != std::string::npos; at = log.find(name, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("resources/cursor9001.cur"), 1) << log;
    EXPECT_EQ(count("resources/bitmap9002.bmp"), 1) << log;
    EXPECT_NE(log.find("warning"), std::string::npos) << log;
}

// A screen loads its cursors each time it is built: the second load and every later one must give
// the cursor made first and make none, so building screens again and again grows nothing. A
// cursor made afterwards gets the next handle after those of the loaded ones.
TEST_F(ProgramResources, ACursorLoadedAgainIsTheSameAndNoneIsMade) {
    testing::internal::CaptureStderr();
    const CursorHandle first = resourceLoadCursor(104);
    const CursorHandle other = resourceLoadCursor(155);
    const CursorHandle missing = resourceLoadCursor(9003);
    EXPECT_NE(first, other);
    EXPECT_EQ(missing, cursorArrow());
    const CursorImage dot{.width = 1, .height = 1, .hotSpot = {0, 0}, .argb = {0xFF000000u}};
    const auto nextHandle = static_cast<std::uint32_t>(cursorCreate(dot)) + 1;
    for (int round = 0; round < 50; ++round) {
        EXPECT_EQ(resourceLoadCursor(104), first);
        EXPECT_EQ(resourceLoadCursor(155), other);
        EXPECT_EQ(resourceLoadCursor(9003), cursorArrow());
    }
    EXPECT_EQ(static_cast<std::uint32_t>(cursorCreate(dot)), nextHandle);
    testing::internal::GetCapturedStderr();
}

// The loaded cursors go with the window system's state: a session started afresh loads the
// picture again, and it shows as before.
TEST(ProgramResourcesSessions, ACursorIsLoadedAfreshInANewWindowSystem) {
    for (int session = 0; session < 2; ++session) {
        FakeClock clock{1000};
        HeadlessBackend display;
        WindowSystemSession windows{display, clock};
        const CursorHandle cursor = resourceLoadCursor(104);
        ASSERT_NE(cursor, cursorArrow());
        cursorSet(cursor);
        ASSERT_NE(display.cursor(), nullptr) << "session " << session;
        EXPECT_GT(display.cursor()->width, 1) << "session " << session;
    }
}

} // namespace
} // namespace q71
