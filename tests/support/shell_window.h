#pragma once
// The program's main window as the start-up leaves it, for tests of screens over the data set:
// bitmaps read from the group archives, the window class and the window, the interface fonts, the
// group reader cleared, the window shown and the start-up's busy cursor let go. Header-only, so
// that only the test binaries of the framework and above link the shell.

#include "framework/app/screen_manager.h"
#include "framework/app/shell.h"
#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/widgets/widget_bitmap.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <gtest/gtest.h>

namespace q71::test {

inline void openShellWindow() {
    widgetSetArchiveBitmaps(true);
    EXPECT_TRUE(appRegisterWindowClass());
    EXPECT_EQ(appCreateMainWindow(SW_SHOWDEFAULT), 1);
    appCreateFonts();
    grpReset();
    windowShow(appMainWindow(), SW_SHOWDEFAULT);
    appCursorMode(appMainWindow(), 3);
}

} // namespace q71::test
