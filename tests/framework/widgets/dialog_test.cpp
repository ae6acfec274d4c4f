#include "framework/widgets/dialog.h"
#include "framework/widgets/level_bar.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/gdi/device_context.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/modal_loop.h"
#include "platform/window/virtual_keys.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "support/golden_image.h"
#include "widget_fixture.h"

#include <algorithm>
#include <memory>

namespace q71 {
namespace {

using Log = std::vector<std::string>;

// The progress box of long loads (template 113 has its button as id 1, 114 none), writing what
// it is told into a log.
class Probed : public Dialog {
public:
    Probed(Log& log, WindowHandle owner, int id, bool modal) : Dialog(owner, id, modal), log_(log) {}
    int onOk() override {
        log_.push_back("ok");
        return okCloses;
    }
    int onCommand(WParam wParam, LParam) override {
        log_.push_back("command " + std::to_string(loWord(wParam)));
        return 1;
    }
    void onCancel() override {
        log_.push_back("cancel");
        cancelled = true;
    }
    void onFirstShow() override { log_.push_back("first show"); }
    void onDeactivate() override { log_.push_back("deactivate"); }

    int okCloses = 1;
    bool cancelled = false;

private:
    Log& log_;
};

class Dialogs : public test::WidgetFixture {
protected:
    Log log;
};

TEST_F(Dialogs, AModalDialogReturnsTheResultItEndedWith) {
    Probed box(log, mainWindow, 113, true);
    modalScriptPush([](WindowHandle dialog) { messageSend(dialog, WM_COMMAND, 1, 0); });
    EXPECT_EQ(box.show(), 1);
    EXPECT_EQ(log, (Log{"first show", "ok"}));
    EXPECT_TRUE(box.isEnded());
    EXPECT_EQ(box.dialogWindow(), WindowHandle{});
}

// A box that ends and deletes itself from its own handler, as a screen torn down by a command may.
class SelfDeleting : public Dialog {
public:
    SelfDeleting(WindowHandle owner, bool& deleted) : Dialog(owner, 114, true), deleted_(deleted) {}
    ~SelfDeleting() override { deleted_ = true; }
    int onCommand(WParam wParam, LParam) override {
        if (loWord(wParam) != 5)
            return 1;
        end(7);
        delete this;
        return 1;
    }

private:
    bool& deleted_;
};

TEST_F(Dialogs, AModalDialogDeletedByItsHandlerIsNotTouchedAfterItsLoop) {
    bool deleted = false;
    auto* box = new SelfDeleting(mainWindow, deleted);
    WindowHandle shown{};
    modalScriptPush([&](WindowHandle dialog) {
        shown = dialog;
        messageSend(dialog, WM_COMMAND, 5, 0);
    });
    EXPECT_EQ(box->show(), 7);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(windowIsValid(shown));
}

TEST_F(Dialogs, EscapeCancelsWithTwoAfterOnCancel) {
    Probed box(log, mainWindow, 114, true);
    modalScriptPush([&](WindowHandle) { display.typeKey(static_cast<std::uint8_t>(VK_ESCAPE)); });
    EXPECT_EQ(box.show(), 2);
    EXPECT_TRUE(box.cancelled);
}

TEST_F(Dialogs, AnOkThatRefusesKeepsTheDialogOpenAndPassesTheCommandOn) {
    Probed box(log, mainWindow, 113, true);
    box.okCloses = 0;
    modalScriptPush([&](WindowHandle dialog) {
        messageSend(dialog, WM_COMMAND, 1, 0);
        log.push_back(windowIsVisible(dialog) ? "still open" : "closed");
        messageSend(dialog, WM_COMMAND, 2, 0);
    });
    EXPECT_EQ(box.show(), 2);
    EXPECT_EQ(log, (Log{"first show", "ok", "command 1", "still open", "cancel"}));
}

TEST_F(Dialogs, AnEndedModelessDialogStaysForItsOwnerToRead) {
    auto box = std::make_unique<Probed>(log, mainWindow, 113, false);
    EXPECT_EQ(box->show(), 1);
    WindowHandle window = box->dialogWindow();
    ASSERT_TRUE(windowIsVisible(window));
    messageSend(window, WM_COMMAND, 2, 0);
    EXPECT_TRUE(box->cancelled) << "the owner reads the flag after Cancel";
    EXPECT_FALSE(windowIsVisible(window));
    EXPECT_TRUE(box->isEnded());
    EXPECT_EQ(dialogGetItemText(window, 1001), "Veuillez patienter...") << "its items stay readable";
    box.reset();
    EXPECT_FALSE(windowIsValid(window)) << "the owner's delete takes the window";
}

TEST_F(Dialogs, OnlyTheFirstShowingCallsOnFirstShow) {
    Probed box(log, mainWindow, 114, false);
    box.show();
    windowShow(box.dialogWindow(), SW_HIDE);
    windowShow(box.dialogWindow(), SW_SHOWNORMAL);
    EXPECT_EQ(std::count(log.begin(), log.end(), "first show"), 1);
    EXPECT_NE(std::find(log.begin(), log.end(), "deactivate"), log.end()) << "hiding deactivates";
}

TEST_F(Dialogs, AMissingTemplateMakesNoDialog) {
    Probed modal(log, mainWindow, 999, true);
    EXPECT_EQ(modal.show(), -1);
    Probed modeless(log, mainWindow, 999, false);
    EXPECT_EQ(modeless.show(), 1);
    EXPECT_EQ(modeless.dialogWindow(), WindowHandle{});
}

TEST_F(Dialogs, ALevelBarTakesThePlaceOfItsTemplateItem) {
    Probed box(log, mainWindow, 114, false);
    box.show();
    WindowHandle place = dialogGetItem(box.dialogWindow(), 1002);
    ASSERT_NE(place, WindowHandle{});
    Rect r = windowGetRect(place);
    Point at = windowScreenToClient(box.dialogWindow(), {r.left, r.top});
    auto* bar = new LevelBar(box.dialogWindow(), at.x, at.y, r.width(), r.height(), 0.0, rgb(248, 0, 0));
    bar->setLevel(0.5);
    pump();
    EXPECT_EQ(windowGetParent(bar->window()), box.dialogWindow());
    EXPECT_EQ(screenPixel(r.left + r.width() / 4, r.top + r.height() / 2), rgb(248, 0, 0));
    box.placeControl(dialogGetItem(box.dialogWindow(), 1001), 4, 5, 10, 2);
    Rect moved = windowGetRect(dialogGetItem(box.dialogWindow(), 1001));
    Point corner = windowScreenToClient(box.dialogWindow(), {moved.left, moved.top});
    EXPECT_EQ(corner, (Point{4, 5}));
}

TEST(DialogTiles, ABitmapCoversTheAreaWithPartialTilesAtTheEdges) {
    // A 30 by 20 tile whose pixels say where they lie in it; 100 by 50 takes 4 by 3 copies.
    std::vector<std::uint8_t> info = dibMakeInfo({30, -20, 24});
    auto tile = Bitmap::createDibSection(info);
    ASSERT_TRUE(tile);
    auto setter = DeviceContext::createMemory();
    setter->selectBitmap(tile);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            setter->setPixel({x, y}, rgb(x * 8, y * 8, 128));
    test::Canvas canvas(100, 50, rgb(0, 0, 0));
    Dialog::tileBitmap(*canvas.dc, tile, 100, 50);
    for (Point p : {Point{0, 0}, Point{35, 25}, Point{99, 49}, Point{61, 41}})
        EXPECT_EQ(canvas.at(p.x, p.y), canvas.at(p.x % 30, p.y % 20)) << p.x << "," << p.y;
    EXPECT_NE(canvas.at(99, 49), canvas.at(0, 0));
}

} // namespace
} // namespace q71
