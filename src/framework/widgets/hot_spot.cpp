#include "framework/widgets/hot_spot.h"

#include "framework/widgets/tool_tip.h"
#include "platform/window/cursors.h"
#include "platform/window/window_layout.h"

namespace q71 {
namespace {

bool tipsEnabled = true;
HotSpot* currentHotSpot = nullptr;

} // namespace

HotSpot::HotSpot(WindowHandle parentWindow, int controlId, const char* text, CursorHandle cursor,
                 const Rect& rect, bool windowless, std::shared_ptr<const Font> font,
                 std::shared_ptr<Bitmap> background)
    : rect_(rect), cursor_(cursor),
      tip_(std::make_unique<ToolTip>(parentWindow, std::move(font),
                                     background ? std::move(background) : toolTipDefaultBackground(), text)) {
    name_ = "HotSpot";
    setRect(rect.left, rect.top, rect.width(), rect.height());
    controlId_ = controlId;
    window_ = parentWindow;
    parentWindow_ = parentWindow;
    deleteOnDestroy_ = false;
    Point topLeft = windowClientToScreen(parentWindow, {rect.left, rect.top});
    Point bottomRight = windowClientToScreen(parentWindow, {rect.right, rect.bottom});
    screenRect_ = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    if (windowless)
        joinContainer(parentWindow);
}

HotSpot::~HotSpot() {
    tip_->cancelDelayed();
    if (currentHotSpot == this)
        currentHotSpot = nullptr;
}

void HotSpot::setToolTipTimes(int displayTime, int popUpDelay) {
    tip_->setTimes(displayTime, popUpDelay);
}

void HotSpot::enableToolTips(bool on) {
    tipsEnabled = on;
}

bool HotSpot::toolTipsEnabled() {
    return tipsEnabled;
}

HotSpot* HotSpot::current() {
    return currentHotSpot;
}

void HotSpot::trackMouse(int x, int y) {
    if (!rect_.contains({x, y})) {
        leave();
        return;
    }
    if (!inside_ && tipsEnabled)
        tip_->startDelayed(screenRect_);
    inside_ = true;
    cursorSet(cursor_);
}

void HotSpot::onMouseMove(int, int) {
    enter();
}

void HotSpot::enter() {
    if (!tipsEnabled)
        return;
    leaveOthers(this);
    if (!inside_) {
        tip_->startDelayed(screenRect_);
        applyCursor();
    }
    currentHotSpot = this;
}

void HotSpot::leaveOthers(const BaseWidget* keep) {
    if (currentHotSpot && currentHotSpot != keep) {
        currentHotSpot->leave();
        currentHotSpot = nullptr;
    }
}

void HotSpot::leave() {
    inside_ = false;
    tip_->hide(false);
}

void HotSpot::centreCursor() {
    cursorSetPosition(
        {screenRect_.width() / 2 + screenRect_.left, screenRect_.height() / 2 + screenRect_.top});
}

void HotSpot::popUpToolTip() {
    if (!inside_ && tipsEnabled)
        tip_->startDelayed(screenRect_);
}

void HotSpot::applyCursor() {
    cursorSet(cursor_);
    inside_ = true;
}

void HotSpot::hideToolTip() {
    tip_->hide(false);
}

void HotSpot::showToolTip() {
    tip_->show(rect_.width() / 2 + rect_.left, rect_.height() / 2 + rect_.top);
}

bool HotSpot::isToolTipShown() const {
    return tip_->isShown();
}

} // namespace q71
