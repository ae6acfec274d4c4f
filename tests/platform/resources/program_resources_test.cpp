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

} // namespace
} // namespace q71
