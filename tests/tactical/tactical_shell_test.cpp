#include "render3d/library.h"
#include "tactical/tactical_shell.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

TEST(TacticalShell, TheRendererOpensAndClosesTheThreeDLibrary) {
    AppTactical& tactical = tacticalShellServices();
    ASSERT_TRUE(tactical.openRenderer());
    EXPECT_TRUE(r3d::libraryOpen());
    EXPECT_EQ(r3d::queryLibrary(450), 2.0); // the renderer-state setting is kept
    tactical.closeRenderer();
    EXPECT_FALSE(r3d::libraryOpen());
}

} // namespace
} // namespace q71
