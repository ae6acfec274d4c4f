// The progress box of the terrain world: the program's box under the busy cursor, its bar, and
// Cancel by the button, Enter or Esc (only when the box has its button).
#include "framework/app/main_cursor.h"
#include "framework/textmngr/text_manager.h"
#include "frontend/terrain_progress_box.h"
#include "frontend_fixture.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"

#include <gtest/gtest.h>

namespace q71 {
namespace {

class TerrainBox : public test::FrontEndFixture {
protected:
    ~TerrainBox() override { box.close(); }

    /// The box's window.
    static WindowHandle boxWindow() { return windowFind("Q71Dialog"); }

    TerrainProgressBox& box = frontEndTerrainProgressBox();
};

TEST_F(TerrainBox, ShowsItsTextsAndBarUnderTheBusyCursor) {
    box.open("Chargement du fond marin", "Assez", true);
    pump();
    const WindowHandle window = boxWindow();
    ASSERT_NE(window, WindowHandle{});
    EXPECT_TRUE(windowIsVisible(window));
    EXPECT_EQ(dialogGetItemText(window, 1001), "Chargement du fond marin");
    EXPECT_EQ(dialogGetItemText(window, 1), "Assez");
    EXPECT_NE(cursorGet(), appMainCursor());
    EXPECT_EQ(captureGet(), window) << "nothing behind the box can be clicked";
    box.setLevel(50, 100);
    EXPECT_FALSE(box.pumpMessages());
    box.close();
    EXPECT_FALSE(windowIsValid(window));
    EXPECT_EQ(cursorGet(), appMainCursor());
    EXPECT_EQ(captureGet(), WindowHandle{});
}

TEST_F(TerrainBox, WithoutTextsItTakesTheDefaultOnes) {
    box.open(nullptr, "", true);
    pump();
    EXPECT_EQ(dialogGetItemText(boxWindow(), 1001), textGetString(851));
    EXPECT_EQ(dialogGetItemText(boxWindow(), 1), textGetString(850));
}

TEST_F(TerrainBox, EscCancels) {
    box.open("Chargement", "Annuler", true);
    pump();
    // The box's keys are read by its own message pump, as during a cut.
    display.typeKey(static_cast<std::uint8_t>(VK_ESCAPE), 27);
    EXPECT_TRUE(box.pumpMessages());
}

TEST_F(TerrainBox, AClickOnTheButtonCancelsThoughTheBoxHoldsTheMouse) {
    box.open("Chargement", "Annuler", true);
    pump();
    const Rect button = windowGetRect(dialogGetItem(boxWindow(), 1));
    clickAt({button.left + button.width() / 2, button.top + button.height() / 2});
    EXPECT_TRUE(box.pumpMessages());
}

TEST_F(TerrainBox, AClickBesideTheButtonDoesNothing) {
    box.open("Chargement", "Annuler", true);
    pump();
    clickAt({5, 5});
    EXPECT_FALSE(box.pumpMessages());
}

TEST_F(TerrainBox, ABoxWithoutItsButtonCannotBeCancelled) {
    box.open("Chargement", nullptr, false);
    pump();
    ASSERT_NE(boxWindow(), WindowHandle{});
    EXPECT_EQ(dialogGetItem(boxWindow(), 1), WindowHandle{});
    display.typeKey(static_cast<std::uint8_t>(VK_ESCAPE), 27);
    display.typeKey(static_cast<std::uint8_t>(VK_RETURN), '\r');
    EXPECT_FALSE(box.pumpMessages());
    EXPECT_TRUE(windowIsVisible(boxWindow()));
}

} // namespace
} // namespace q71
