#include "framework/widgets/edit_box.h"
#include "framework/widgets/tab_group.h"
#include "platform/controls/control_messages.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "widget_fixture.h"

#include <utility>

namespace q71 {
namespace {

using Commands = test::WidgetFixture::Commands;

// WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL.
constexpr std::uint32_t kFieldStyle = 0x50000080;
constexpr int kId = 40;

class EditBoxes : public test::WidgetFixture {
protected:
    EditBox* box(int x = 100, int y = 100, int height = 20) {
        return new EditBox(mainWindow, kId, x, y, 80, height, nullptr, nullptr, false, kFieldStyle);
    }
    void type(EditBox* b, std::string_view text) {
        for (char c : text)
            messageSend(b->editWindow(), WM_CHAR, static_cast<unsigned char>(c), 0);
    }
    void key(EditBox* b, std::uint32_t message, std::uint32_t vk) {
        messageSend(b->editWindow(), message, vk, 0);
    }
    std::vector<WParam> screenKeys() const {
        std::vector<WParam> keys;
        for (const test::Received& r : receivedBy(mainWindow, WM_KEYDOWN))
            keys.push_back(r.wParam);
        return keys;
    }
};

TEST_F(EditBoxes, TheFieldSitsTwoPixelsInsideAndAZeroHeightFollowsTheFont) {
    EditBox* b = box(100, 100, 0);
    EXPECT_GT(b->getHeight(), 4);
    const Rect field = windowGetRect(b->editWindow());
    EXPECT_EQ(field, (Rect{102, 102, 178, 100 + b->getHeight() - 2}));
    EXPECT_EQ(windowGetId(b->editWindow()), static_cast<std::uintptr_t>(kId));
}

TEST_F(EditBoxes, TheFieldIsAShownChildOfItsBoxWhateverStyleTheCallerGives) {
    for (const std::uint32_t style : {std::uint32_t{0}, std::uint32_t{0x0080} /* ES_AUTOHSCROLL alone */, kFieldStyle}) {
        EditBox* b = new EditBox(mainWindow, kId, 100, 100, 80, 20, nullptr, nullptr, false, style);
        EXPECT_EQ(windowGetParent(b->editWindow()), b->window()) << style;
        EXPECT_TRUE(windowIsVisible(b->editWindow())) << style;
    }
}

TEST_F(EditBoxes, ADigitsOnlyBoxRefusesLettersAndPunctuationButTakesDigitsAndBackspace) {
    EditBox* b = box();
    b->setCharFilter(true);
    type(b, "4a2.-x7");
    EXPECT_EQ(b->getText(), "427");
    type(b, "\b");
    EXPECT_EQ(b->getText(), "42");
    int value = 0;
    EXPECT_TRUE(b->getInt(value));
    EXPECT_EQ(value, 42);
    b->setCharFilter(false);
    type(b, "x");
    EXPECT_EQ(b->getText(), "42x");
    EXPECT_FALSE(b->getInt(value)) << "not a number any more";
}

TEST_F(EditBoxes, CtrlKeysReachTheScreenAsWellAsTheField) {
    EditBox* b = box();
    key(b, WM_KEYDOWN, VK_CONTROL);
    key(b, WM_KEYDOWN, 'S');
    key(b, WM_KEYUP, VK_CONTROL);
    key(b, WM_KEYDOWN, 'S');
    EXPECT_EQ(screenKeys(), (std::vector<WParam>{VK_CONTROL, 'S'}))
        << "without Ctrl the field keeps its keys";
}

TEST_F(EditBoxes, EscapeAndTheRightButtonDoNothingWhileEnterAndTabTellTheScreen) {
    EditBox* b = box();
    type(b, "ab");
    key(b, WM_KEYDOWN, VK_ESCAPE);
    messageSend(b->editWindow(), WM_RBUTTONDOWN, 0, 0);
    type(b, "\r\t");
    EXPECT_EQ(b->getText(), "ab");
    EXPECT_TRUE(screenKeys().empty());
    Commands typed;
    for (auto [id, value] : commands())
        if (id == static_cast<WParam>(kId))
            typed.emplace_back(id, value);
    EXPECT_EQ(typed, (Commands{{kId, '\r'}, {kId, '\t'}}));
}

TEST_F(EditBoxes, AReadOnlyBoxSwallowsTypingAndSaysNothingOfEnter) {
    EditBox* b = box();
    b->setText("fixed");
    b->setEditable(false);
    received.clear();
    type(b, "x\b\r");
    EXPECT_EQ(b->getText(), "fixed");
    EXPECT_TRUE(commands().empty());
}

TEST_F(EditBoxes, AValueOutsideTheRangeIsPutBackWithinItBeforeTheScreenHears) {
    EditBox* b = box();
    b->setMinimum(5);
    b->setMaximum(20);
    std::vector<std::string> seen;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_COMMAND && r.wParam == EN_CHANGE)
            seen.push_back(b->getText());
        return std::nullopt;
    };
    b->setText("25");
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), "20");
    EXPECT_EQ(commands().back(), (std::pair<WParam, LParam>{EN_CHANGE, kId}));
    b->setText("3");
    EXPECT_EQ(b->getText(), "5");
    b->setInt(-12);
    EXPECT_EQ(b->getText(), "5");
    b->setMinimum(-20);
    b->setInt(-12);
    EXPECT_EQ(b->getText(), "-12");
}

TEST_F(EditBoxes, AScreenClosingTheBoxAtTheCorrectedValueEndsTheChangeThere) {
    EditBox* b = box();
    b->setMinimum(5);
    b->setMaximum(20);
    int told = 0;
    onMessage = [&](const test::Received& r) -> std::optional<LResult> {
        if (r.message == WM_COMMAND && r.wParam == EN_CHANGE && b) {
            ++told;
            delete std::exchange(b, nullptr);
        }
        return std::nullopt;
    };
    EditBox* typedInto = b;
    typedInto->setText("25");
    EXPECT_EQ(b, nullptr);
    EXPECT_GE(told, 1);
}

TEST_F(EditBoxes, ATypedChangeIsToldToTheScreen) {
    EditBox* b = box();
    received.clear();
    type(b, "7");
    EXPECT_EQ(commands(), (Commands{{EN_CHANGE, kId}}));
}

TEST_F(EditBoxes, TheBoxPaintsItsFrameAroundTheBlackBackground) {
    EditBox* b = box();
    b->setFramePen(test::kYellow);
    windowInvalidate(b->window(), nullptr, true);
    pump();
    EXPECT_EQ(screenPixel(100, 100), test::kYellow);
    EXPECT_EQ(screenPixel(179, 119), test::kYellow);
    EXPECT_EQ(screenPixel(101, 110), rgb(0, 0, 0));
}

TEST_F(EditBoxes, ClickingTheBoxFocusesItsField) {
    EditBox* b = box();
    messageSend(b->window(), WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(focusGet(), b->editWindow());
}

class TabGroups : public EditBoxes {};

TEST_F(TabGroups, FocusMovesInTurnAndWrapsFromTheLastToTheFirst) {
    EditBox* first = box(10, 10);
    EditBox* second = box(10, 40);
    EditBox* third = box(10, 70);
    TabGroup group(3);
    EXPECT_EQ(group.add(first), 1);
    EXPECT_EQ(group.add(second), 1);
    EXPECT_EQ(group.add(third), 1);
    EXPECT_EQ(group.add(first), 0) << "the group is full";
    focusSet(second->editWindow());
    group.focusNext();
    EXPECT_EQ(group.current(), 2) << "the field's box is found through its parent";
    EXPECT_EQ(focusGet(), third->editWindow()) << "the box hands the focus to its field";
    group.focusNext();
    EXPECT_EQ(group.current(), 0);
    EXPECT_EQ(focusGet(), first->editWindow());
}

TEST_F(TabGroups, AWidgetDeletedSinceItWasAddedIsPassedOver) {
    EditBox* first = box(10, 10);
    EditBox* second = box(10, 40);
    EditBox* third = box(10, 70);
    TabGroup group(3);
    group.add(first);
    group.add(second);
    group.add(third);
    delete third;
    focusSet(second->editWindow());
    group.focusNext();
    EXPECT_EQ(group.current(), 0) << "from the second past the deleted third to the first";
    EXPECT_EQ(focusGet(), first->editWindow());
    delete first;
    group.focusNext();
    EXPECT_EQ(group.current(), 1) << "the one widget left keeps the focus";
    EXPECT_EQ(focusGet(), second->editWindow());
}

TEST_F(TabGroups, AFocusOutsideTheGroupKeepsTheCurrentWidgetAndAnEmptyGroupDoesNothing) {
    EditBox* first = box(10, 10);
    EditBox* second = box(10, 40);
    TabGroup group(2);
    group.add(first);
    group.add(second);
    group.focusNext();
    focusSet(mainWindow);
    group.findFocus(mainWindow);
    EXPECT_EQ(group.current(), 1);
    TabGroup empty(0);
    EXPECT_EQ(empty.add(first), 0);
    empty.focusNext();
    EXPECT_EQ(focusGet(), mainWindow);
}

} // namespace
} // namespace q71
