#include "platform/msgbox/message_box.h"

#include "platform/gdi/window_dc.h"
#include "platform/msgbox/message_box_layout.h"
#include "platform/window/focus.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "support/headless_windows.h"

#include "../gdi/golden.h"

namespace q71 {
namespace {

TEST(MessageBoxWithoutWindows, WritesToStderrAndGivesTheDefaultAnswer) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(messageBox({}, "Une erreur inattendue est survenue.", "Q71", kMbYesNo | kMbDefButton2), kIdNo);
    EXPECT_EQ(messageBox({}, "M\xE9moire insuffisante.", "", kMbOk), kIdOk);
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("q71: Q71: Une erreur inattendue est survenue."), std::string::npos);
    EXPECT_NE(written.find("q71: M\xC3\xA9moire insuffisante.\n"), std::string::npos);
}

class MessageBoxes : public test::HeadlessWindows {
protected:
    void SetUp() override {
        main = makeWindow(WS_POPUP | WS_VISIBLE, {0, 0, 640, 480});
        screen = makeWindow(WS_CHILD | WS_VISIBLE, {0, 0, 640, 480}, main);
        pump();
        focusSet(screen);
    }
    // Where a button of a box of this kind stands on the screen.
    static Point buttonCentre(const char* text, const char* caption, unsigned style, int index) {
        MessageBoxLayout layout(text, caption, style);
        Rect r = layout.buttons()[static_cast<size_t>(index)].rect;
        int x = (640 - layout.width()) / 2, y = (480 - layout.height()) / 2;
        return {x + (r.left + r.right) / 2, y + (r.top + r.bottom) / 2};
    }
    int ask(unsigned style, std::function<void()> user) {
        modalScriptPush([user](WindowHandle) { user(); });
        return messageBox(screen, "Voulez-vous vraiment quitter le jeu ?", "Quitter Q71", style);
    }
    WindowHandle main{}, screen{};
};

TEST_F(MessageBoxes, EnterAnswersTheDefaultButton) {
    EXPECT_EQ(ask(kMbYesNo | kMbIconQuestion, [&] { display.typeKey(VK_RETURN, '\r'); }), kIdYes);
    EXPECT_EQ(ask(kMbYesNo | kMbDefButton2, [&] { display.typeKey(VK_RETURN, '\r'); }), kIdNo);
    EXPECT_EQ(ask(kMbOkCancel, [&] { display.typeKey(VK_SPACE, ' '); }), kIdOk);
}

TEST_F(MessageBoxes, EscapeCancelsOrClosesALoneOkButDoesNothingToYesNo) {
    EXPECT_EQ(ask(kMbOkCancel, [&] { display.typeKey(VK_ESCAPE, 27); }), kIdCancel);
    EXPECT_EQ(ask(kMbOk | kMbIconHand, [&] { display.typeKey(VK_ESCAPE, 27); }), kIdOk);
    // Esc leaves a Yes/No box open; the next answer decides.
    modalScriptPush([&](WindowHandle) { display.typeKey(VK_ESCAPE, 27); });
    EXPECT_EQ(ask(kMbYesNo, [&] { display.typeKey('O', 'o'); }), kIdYes);
}

TEST_F(MessageBoxes, TabArrowsAndMnemonicsChooseOtherButtons) {
    EXPECT_EQ(ask(kMbYesNo,
                  [&] {
                      display.typeKey(VK_TAB, '\t');
                      display.typeKey(VK_RETURN, '\r');
                  }),
              kIdNo);
    EXPECT_EQ(ask(kMbYesNoCancel,
                  [&] {
                      display.typeKey(VK_LEFT);
                      display.typeKey(VK_RETURN, '\r');
                  }),
              kIdCancel);
    EXPECT_EQ(ask(kMbYesNo, [&] { display.typeKey('N', 'n'); }), kIdNo);
    EXPECT_EQ(ask(kMbAbortRetryIgnore, [&] { display.typeKey('I', 'i'); }), kIdIgnore);
}

TEST_F(MessageBoxes, AClickAnswersOnlyWhenReleasedOnTheSameButton) {
    const char* text = "Voulez-vous vraiment quitter le jeu ?";
    Point yes = buttonCentre(text, "Quitter Q71", kMbYesNo, 0),
          no = buttonCentre(text, "Quitter Q71", kMbYesNo, 1);
    modalScriptPush([&](WindowHandle) {
        display.moveMouse(yes);
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, yes));
        display.moveMouse({5, 5});
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, {5, 5}));
    });
    EXPECT_EQ(ask(kMbYesNo, [&] { display.click(no); }), kIdNo);
}

TEST_F(MessageBoxes, TheOwnerIsDisabledMeanwhileAndTheFocusComesBack) {
    bool enabledDuring = true;
    WindowHandle focusDuring{};
    std::string focusClass;
    EXPECT_EQ(ask(kMbOk,
                  [&] {
                      enabledDuring = windowIsEnabled(main);
                      focusDuring = focusGet();
                      focusClass = windowGetClassName(focusDuring);
                      display.typeKey(VK_RETURN, '\r');
                  }),
              kIdOk);
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(focusClass, "Q71MessageBox");
    EXPECT_TRUE(windowIsEnabled(main));
    EXPECT_EQ(focusGet(), screen);
    EXPECT_FALSE(windowIsValid(focusDuring));
}

TEST_F(MessageBoxes, TheBoxIsPaintedInTheMiddleOfTheScreen) {
    const char* text = "Voulez-vous vraiment quitter le jeu ?";
    MessageBoxLayout layout(text, "Quitter Q71", kMbYesNo | kMbIconQuestion);
    test::Canvas expected(layout.width(), layout.height());
    layout.paint(*expected.dc, 0, -1);
    int x0 = (640 - layout.width()) / 2, y0 = (480 - layout.height()) / 2;
    int differing = -1;
    EXPECT_EQ(ask(kMbYesNo | kMbIconQuestion,
                  [&] {
                      differing = 0;
                      for (int y = 0; y < layout.height(); ++y)
                          for (int x = 0; x < layout.width(); ++x)
                              differing +=
                                  colorFrom565(display.surface().row(y0 + y)[x0 + x]) != expected.at(x, y);
                      display.typeKey(VK_ESCAPE, 27);
                      display.typeKey('O', 'o');
                  }),
              kIdYes);
    EXPECT_EQ(differing, 0);
}

} // namespace
} // namespace q71
