#include "framework/widgets/spin_edit.h"

namespace q71 {
namespace {

constexpr int kFirstRepeatMs = 250;
constexpr int kRepeatMs = 50;
// WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL.
constexpr std::uint32_t kFieldStyle = 0x50010080;

} // namespace

SpinButton::SpinButton(WindowHandle parentWindow, int controlId, int x, int y, int width, int height,
                       std::string_view fileName, EditBox& box, bool up)
    : SimpleButton(parentWindow, controlId, x, y, width, height, fileName, 2, kPush, true), box_(&box),
      boxAlive_(box.watch()), up_(up) {
    setName("SpinButton");
}

void SpinButton::setRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void SpinButton::step() {
    if (boxAlive_.expired())
        return;
    int value = 0;
    box_->getInt(value);
    // Widened: a step from the ends of the int range must not overflow.
    const long long next =
        up_ ? static_cast<long long>(value) + step_ : static_cast<long long>(value) - step_;
    if (up_ ? next > maximum_ : next < minimum_)
        return;
    box_->setInt(static_cast<int>(next));
}

void SpinButton::onLeftDown(int x, int y) {
    SimpleButton::onLeftDown(x, y);
    if (!isLeftPressed())
        return;
    auto alive = watch();
    step();
    if (!alive.expired())
        startTimer(kFirstRepeatMs);
}

void SpinButton::onLeftUp(int x, int y) {
    stopTimer();
    SimpleButton::onLeftUp(x, y);
}

void SpinButton::onTick() {
    stopTimer();
    auto alive = watch();
    step();
    if (!alive.expired())
        startTimer(kRepeatMs);
}

SpinEdit::SpinEdit(WindowHandle parentWindow, int controlId, int x, int y, std::shared_ptr<Bitmap> pattern,
                   std::shared_ptr<const Font> font, bool bevel, const SpinEditLayout& layout) {
    auto* edit = new EditBox(parentWindow, controlId, x, y, layout.editWidth, layout.editHeight,
                             std::move(pattern), std::move(font), bevel, kFieldStyle);
    edit->setCharFilter(true);
    edit_ = {edit, edit->watch()};
    const int buttonX = x + layout.editWidth + layout.gap;
    auto* up = new SpinButton(parentWindow, controlId + 1, buttonX, y, layout.buttonWidth,
                              layout.buttonHeight, layout.upBitmap, *edit, true);
    up_ = {up, up->watch()};
    auto* down = new SpinButton(parentWindow, controlId + 2, buttonX, y + layout.buttonHeight,
                                layout.buttonWidth, layout.buttonHeight, layout.downBitmap, *edit, false);
    down_ = {down, down->watch()};
}

SpinEdit::~SpinEdit() {
    // Deleting a windowed widget destroys its window, which then no longer reaches it.
    delete down_.get();
    delete up_.get();
    delete edit_.get();
}

template <class F> void SpinEdit::forEachPart(F&& action) {
    if (EditBox* edit = edit_.get())
        action(*edit);
    if (SpinButton* up = up_.get())
        action(*up);
    if (SpinButton* down = down_.get())
        action(*down);
}

void SpinEdit::setRange(int minimum, int maximum) {
    if (SpinButton* up = up_.get())
        up->setRange(minimum, maximum);
    if (SpinButton* down = down_.get())
        down->setRange(minimum, maximum);
    if (EditBox* edit = edit_.get()) {
        edit->setMinimum(minimum);
        edit->setMaximum(maximum);
    }
}

void SpinEdit::show() {
    forEachPart([](BaseWidget& part) { part.show(); });
}

void SpinEdit::hide() {
    forEachPart([](BaseWidget& part) { part.hide(); });
}

void SpinEdit::loadResources() {
    forEachPart([](BaseWidget& part) { part.loadResources(); });
}

void SpinEdit::freeResources() {
    forEachPart([](BaseWidget& part) { part.freeResources(); });
}

EditBox* SpinEdit::editBox() const {
    return edit_.get();
}

SpinButton* SpinEdit::upButton() const {
    return up_.get();
}

SpinButton* SpinEdit::downButton() const {
    return down_.get();
}

} // namespace q71
