#include "framework/app/full_screen.h"

#include "framework/app/screen_routing.h"
#include "platform/window/default_proc.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

FullScreen* activeScreen = nullptr;

} // namespace

FullScreen* activeFullScreen() {
    return activeScreen;
}

FullScreen::FullScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y,
                       bool defer)
    : ScreenWindow(key, parent, width, height, x, y) {
    if (defer)
        return;
    registerClass(key);
    create(key, parent, width, height, x, y);
    focusOnCursor_ = true;
}

FullScreen::~FullScreen() {
    children_.resize(0);
    if (activeScreen == this)
        activeScreen = nullptr;
}

LResult FullScreen::windowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    return route(true, window, message, wParam, lParam);
}

bool FullScreen::registerClass(std::string_view key) {
    return screenRegisterClass(key, &windowObjectProc<FullScreen, &FullScreen::windowProc>, CursorHandle{});
}

bool FullScreen::create(std::string_view key, WindowHandle parent, int width, int height, int x, int y) {
    children_.resize(0);
    currentChild_ = -1;
    return createWindow(key, parent, width, height, x, y);
}

void FullScreen::activate() {
    FullScreen* old = activeScreen;
    if (old == this)
        return;
    if (old) {
        old->close();
        old->closeChild(old->currentChild_);
    }
    open();
    dropChildFocus();
    openChild(currentChild_);
    visible_ = true;
    windowShow(window_, SW_SHOWDEFAULT);
    windowUpdate(window_);
    showChild(currentChild_);
    if (old)
        old->deactivate();
    activeScreen = this;
}

void FullScreen::deactivate() {
    windowShow(window_, SW_HIDE);
    visible_ = false;
    hideChild(currentChild_);
    dropChildFocus();
}

void FullScreen::update() {
    children_.forEach([](SubScreen& c) { c.update(); });
}

void FullScreen::openChild(int i) {
    if (SubScreen* c = child(i)) {
        currentChild_ = i;
        c->open();
        c->openPage(c->currentPage());
    }
}

void FullScreen::showChild(int i) {
    if (SubScreen* c = child(i)) {
        c->setVisible(true);
        windowShow(c->window(), SW_SHOWDEFAULT);
        windowUpdate(c->window());
        setActiveSubScreen(c);
        c->showPage(c->currentPage());
    }
}

void FullScreen::selectChild(int i) {
    if (SubScreen* c = child(i)) {
        currentChild_ = i;
        c->show();
    }
}

void FullScreen::closeChild(int i) {
    if (SubScreen* c = child(i)) {
        c->close();
        c->closePage(c->currentPage());
    }
}

void FullScreen::hideChild(int i) {
    if (SubScreen* c = child(i))
        c->hide();
}

void FullScreen::dropChildFocus() {
    clearActiveSubScreen(child(currentChild_));
}

} // namespace q71
