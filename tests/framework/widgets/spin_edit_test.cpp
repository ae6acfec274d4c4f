#include "framework/widgets/spin_edit.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "widget_fixture.h"

#include <limits>
#include <memory>

namespace q71 {
namespace {

using test::kBlue;
using test::kGreen;
using test::kGrey;
using test::kYellow;

constexpr int kId = 50;

class SpinEdits : public test::WidgetFixture {
protected:
    SpinEdits() {
        writeStrip("upcrt.bmp", 10, 10, {kGrey, kBlue});
        writeStrip("dncrt.bmp", 10, 10, {kGreen, kYellow});
        spin->loadResources();
        spin->setRange(0, 10);
        pump();
    }
    void press(Point at) {
        display.moveMouse(at);
        display.inject(InputEvent::buttonAt(InputKind::ButtonDown, MouseButton::Left, at));
        pump();
    }
    void release(Point at) {
        display.inject(InputEvent::buttonAt(InputKind::ButtonUp, MouseButton::Left, at));
        pump();
    }
    std::string text() const { return spin->editBox()->getText(); }

    static constexpr Point kUp{100 + 45 + 5, 100 + 5};
    static constexpr Point kDown{100 + 45 + 5, 100 + 15};
    std::unique_ptr<SpinEdit> spin =
        std::make_unique<SpinEdit>(mainWindow, kId, 100, 100, nullptr, nullptr, false);
};

TEST_F(SpinEdits, TheButtonsStandRightOfTheFieldOneAboveTheOther) {
    EXPECT_EQ(spin->editBox()->getWidth(), 45);
    EXPECT_EQ(spin->editBox()->getHeight(), 20);
    EXPECT_EQ(screenPixel(kUp.x, kUp.y), kGrey);
    EXPECT_EQ(screenPixel(kDown.x, kDown.y), kGreen);
    EXPECT_EQ(spin->upButton()->controlId(), kId + 1);
    EXPECT_EQ(spin->downButton()->controlId(), kId + 2);
}

TEST_F(SpinEdits, StepsStopAtTheEndsOfTheRange) {
    spin->editBox()->setInt(9);
    clickAt(kUp);
    EXPECT_EQ(text(), "10");
    clickAt(kUp);
    EXPECT_EQ(text(), "10") << "a step past the maximum is not taken";
    spin->editBox()->setInt(1);
    clickAt(kDown);
    clickAt(kDown);
    EXPECT_EQ(text(), "0");
    spin->editBox()->setText("");
    clickAt(kUp);
    EXPECT_EQ(text(), "1") << "an empty field counts as 0";
    spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    spin->editBox()->setInt(std::numeric_limits<int>::max());
    clickAt(kUp);
    EXPECT_EQ(text(), "2147483647") << "no step past the largest number";
}

TEST_F(SpinEdits, AHeldButtonStepsAtThePressThenRepeatsUntilReleased) {
    spin->editBox()->setInt(0);
    press(kUp);
    EXPECT_EQ(text(), "1");
    EXPECT_EQ(screenPixel(kUp.x, kUp.y), kBlue);
    run(240);
    EXPECT_EQ(text(), "1");
    run(10);
    EXPECT_EQ(text(), "2");
    run(100);
    EXPECT_EQ(text(), "4");
    release(kUp);
    run(200);
    EXPECT_EQ(text(), "4");
    EXPECT_EQ(screenPixel(kUp.x, kUp.y), kGrey);
    const auto said = commands();
    EXPECT_EQ(std::count(said.begin(), said.end(), std::pair<WParam, LParam>{kId + 1, 0}), 1)
        << "the button itself speaks once, at the release";
}

TEST_F(SpinEdits, ADigitsOnlyFieldKeepsTypedValuesWithinTheRange) {
    EXPECT_TRUE(spin->editBox()->isDigitsOnly());
    spin->editBox()->setText("25");
    EXPECT_EQ(text(), "10");
}

TEST_F(SpinEdits, HidingAndDeletingTakeAllThreeParts) {
    const WindowHandle edit = spin->editBox()->window();
    const WindowHandle up = spin->upButton()->window();
    spin->hide();
    EXPECT_FALSE(windowIsVisible(edit));
    EXPECT_FALSE(windowIsVisible(up));
    EXPECT_FALSE(windowIsVisible(spin->downButton()->window()));
    spin.reset();
    EXPECT_FALSE(windowIsValid(edit));
    EXPECT_FALSE(windowIsValid(up));
}

TEST_F(SpinEdits, ASpinEditOutlivingItsWindowsIsHarmless) {
    windowDestroy(mainWindow);
    EXPECT_EQ(spin->editBox(), nullptr);
    spin->setRange(1, 2);
    spin->show();
    spin.reset();
}

} // namespace
} // namespace q71
