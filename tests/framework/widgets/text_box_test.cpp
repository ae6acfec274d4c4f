#include "framework/textmngr/text_manager.h"
#include "framework/widgets/text_box.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "widget_fixture.h"

#include <algorithm>

namespace q71 {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;

// A scroll bar standing in for the toolkit's: it keeps its range and reports its position.
class RecordingScroller : public BaseWidget, public LineScroller {
public:
    RecordingScroller(WindowHandle parent, int x, int y, int width, int height)
        : BaseWidget(parent, x, y, width, height, true) {}
    BaseWidget& widget() override { return *this; }
    void setRange(int lineStep, int pageStep, int minimum, int maximum) override {
        line = lineStep;
        page = pageStep;
        low = minimum;
        high = maximum;
        setPosition(position);
    }
    void setPosition(int value) override {
        position = std::clamp(value, low, high);
        messageSend(parentWindow_, WM_VSCROLL, static_cast<WParam>(position), 0);
    }
    int getPosition() override { return position; }
    void lineUp() override { setPosition(position - line); }
    void lineDown() override { setPosition(position + line); }
    void pageUp() override { setPosition(position - page); }
    void pageDown() override { setPosition(position + page); }

    int line = 0, page = 0, low = 0, high = 0, position = 0;
    static inline int made = 0;
};

LineScroller* makeRecordingScroller(WindowHandle parent, int x, int y, int width, int height,
                                    const ScrollerLook&) {
    ++RecordingScroller::made;
    return new RecordingScroller(parent, x, y, width, height);
}

class TextBoxes : public test::WidgetFixture {
protected:
    TextBoxes() { RecordingScroller::made = 0; } // the bars of this test alone
    ~TextBoxes() override { textBoxSetScrollerFactory(nullptr); }
    TextBox* box(int width = 200, int height = 50) {
        auto* b = new TextBox(mainWindow, 10, 10, width, height, nullptr, nullptr, true);
        focusSet(b->window());
        pump();
        return b;
    }
    void fill(TextBox& b, int lines) {
        for (int i = 0; i < lines; ++i)
            b.addLine(("ligne " + std::to_string(i)).c_str());
    }
    void key(std::uint32_t vk) {
        display.typeKey(static_cast<std::uint8_t>(vk));
        pump();
    }
};

TEST_F(TextBoxes, TextWrapsWithinTheBoxLessItsMarginsAndTheBarsPlace) {
    TextBox* b = box(200);
    const std::string text = "Contact sonar au relevement deux sept zero, distance huit mille yards, "
                             "vitesse estimee douze noeuds, immersion inconnue";
    b->addLine(text.c_str());
    auto dc = createDisplayDC();
    std::string joined;
    for (int i = 0; i < b->lineCount(); ++i) {
        EXPECT_LE(dc->getTextExtent(b->getLine(i)).cx, 200 - 20 - 16);
        joined += (i ? " " : "") + std::string(b->getLine(i));
    }
    EXPECT_GT(b->lineCount(), 2);
    EXPECT_EQ(joined, text);
    EXPECT_EQ(b->getLine(b->lineCount()), nullptr);
}

TEST_F(TextBoxes, WithoutABarItsKeysScrollItsLines) {
    TextBox* b = box();
    const int page = b->visibleLines();
    ASSERT_GT(page, 1);
    fill(*b, page);
    key(VK_NEXT);
    EXPECT_EQ(b->firstVisibleLine(), 0) << "lines that fit do not scroll";
    fill(*b, 10);
    const int last = b->lineCount() - page;
    key(VK_NEXT);
    EXPECT_EQ(b->firstVisibleLine(), page);
    key(VK_DOWN);
    EXPECT_EQ(b->firstVisibleLine(), page + 1);
    b->scrollToEnd();
    EXPECT_EQ(b->firstVisibleLine(), last);
    key(VK_DOWN);
    EXPECT_EQ(b->firstVisibleLine(), last);
    key(VK_PRIOR);
    key(VK_UP);
    EXPECT_EQ(b->firstVisibleLine(), last - page - 1);
    key(VK_END);
    EXPECT_EQ(b->firstVisibleLine(), last);
    key(VK_HOME);
    EXPECT_EQ(b->firstVisibleLine(), 0);
    EXPECT_TRUE(receivedBy(mainWindow, WM_KEYDOWN).empty());
    key(VK_LEFT);
    EXPECT_EQ(receivedBy(mainWindow, WM_KEYDOWN).size(), 1u) << "other keys go to the parent";
}

TEST_F(TextBoxes, ABarAppearsWhenTheLinesOverflowAndScrollsTheBox) {
    textBoxSetScrollerFactory(&makeRecordingScroller);
    TextBox* b = box(200, 50);
    const int page = b->visibleLines();
    fill(*b, page);
    EXPECT_EQ(b->scroller(), nullptr);
    fill(*b, 3);
    auto* bar = static_cast<RecordingScroller*>(b->scroller());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->getX(), 200 - 16);
    EXPECT_EQ(bar->getHeight(), 50);
    EXPECT_EQ(windowGetParent(bar->window()), b->window());
    EXPECT_EQ(bar->page, page);
    EXPECT_EQ(bar->high, 3);
    key(VK_NEXT);
    EXPECT_EQ(bar->position, 3);
    EXPECT_EQ(b->firstVisibleLine(), 3) << "the bar's report moves the text";
    key(VK_UP);
    EXPECT_EQ(b->firstVisibleLine(), 2);
    b->clear();
    EXPECT_EQ(b->lineCount(), 0);
    EXPECT_FALSE(windowIsVisible(bar->window()));
    fill(*b, page + 5);
    b->scrollToEnd();
    EXPECT_EQ(b->firstVisibleLine(), 5);
    EXPECT_TRUE(windowIsVisible(bar->window()));
    EXPECT_EQ(RecordingScroller::made, 1);
}

TEST_F(TextBoxes, TheWheelOverTheBoxScrollsThreeLinesANotchWithOrWithoutABar) {
    TextBox* plain = box(200, 50);
    fill(*plain, plain->visibleLines() + 10);
    const Point over = windowClientToScreen(plain->window(), Point{20, 20});
    display.turnWheel(over, -1);
    pump();
    EXPECT_EQ(plain->firstVisibleLine(), 3) << "towards the user: on down the text";
    display.turnWheel(over, 1);
    pump();
    EXPECT_EQ(plain->firstVisibleLine(), 0);

    textBoxSetScrollerFactory(&makeRecordingScroller);
    TextBox* barred = box(200, 50);
    fill(*barred, barred->visibleLines() + 10);
    auto* bar = static_cast<RecordingScroller*>(barred->scroller());
    ASSERT_NE(bar, nullptr);
    display.turnWheel(windowClientToScreen(barred->window(), Point{20, 20}), -2);
    pump();
    EXPECT_EQ(bar->position, 6) << "through the bar";
    EXPECT_EQ(barred->firstVisibleLine(), 6);
}

TEST_F(TextBoxes, ItShowsTheVisibleLinesInTheirColours) {
    TextMetrics metrics;
    createDisplayDC()->getTextMetrics(metrics);
    const int lineHeight = metrics.height;
    TextBox* b = box(200, 3 * lineHeight);
    ASSERT_EQ(b->visibleLines(), 3);
    b->setDefaultColour(kBlue);
    b->addLineColoured("ROUGE ROUGE", kRed);
    b->addLine("BLEU BLEU");
    b->addLineColoured("VERT VERT", kGreen);
    b->addLine("BLEU");
    pump();
    const auto count = [&](int line, ColorRef colour) {
        int n = 0;
        for (int y = 10 + line * lineHeight; y < 10 + (line + 1) * lineHeight; ++y)
            for (int x = 11; x < 209; ++x)
                n += screenPixel(x, y) == colour;
        return n;
    };
    EXPECT_GT(count(0, kRed), 10);
    EXPECT_EQ(count(0, kBlue), 0);
    EXPECT_GT(count(1, kBlue), 10);
    EXPECT_GT(count(2, kGreen), 10);
    b->scrollTo(1);
    pump();
    EXPECT_EQ(count(0, kRed), 0);
    EXPECT_GT(count(0, kBlue), 10);
    EXPECT_GT(count(1, kGreen), 10);
    b->scrollTo(5);
    EXPECT_EQ(b->firstVisibleLine(), 1) << "never past the last page";
}

TEST_F(TextBoxes, ACentredBoxPutsEachLineInTheMiddleOfItsTextArea) {
    TextBox* b = box(200, 40);
    b->setDefaultColour(kRed);
    b->setCentred(true);
    b->addLine("IMMERSION");
    pump();
    Rect ink = inkBounds({10, 10, 210, 50}, kRed);
    ASSERT_FALSE(ink.isEmpty());
    // The text area is the box less its margins of 5 and the bar's 16 pixels on the right.
    EXPECT_NEAR((ink.left - 15) - (210 - 5 - 16 - ink.right), 0, 3);
}

TEST_F(TextBoxes, TheMessageLogWritesIntoABox) {
    TextBox* b = box();
    msgLogSetTarget(true, b);
    msgLogAdd("Torpille en route");
    msgLogAddColoured(kRed, "Contact perdu");
    msgLogDetach();
    ASSERT_EQ(b->lineCount(), 2);
    EXPECT_STREQ(b->getLine(1), "Contact perdu");
}

TEST_F(TextBoxes, ABuffersLastByteIsItsEnd) {
    TextBox* b = box();
    const char buffer[] = {'c', 'a', 'p', ' ', '2', '7', '0', 'X'};
    b->addText(buffer, sizeof buffer);
    b->addText(buffer, 0);
    ASSERT_EQ(b->lineCount(), 2);
    EXPECT_STREQ(b->getLine(0), "cap 270");
    EXPECT_STREQ(b->getLine(1), "");
}

} // namespace
} // namespace q71
