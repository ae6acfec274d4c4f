#include "framework/app/sub_screen.h"

#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

SubScreen* activeSub = nullptr;

} // namespace

SubScreen* activeSubScreen() {
    return activeSub;
}

void setActiveSubScreen(SubScreen* screen) {
    activeSub = screen;
}

void clearActiveSubScreen(SubScreen* screen) {
    if (activeSub == screen)
        activeSub = nullptr;
}

SubScreen::SubScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : ChildScreen(key, parent, width, height, x, y) {}

SubScreen::~SubScreen() {
    pages_.resize(0);
    clearActiveSubScreen(this);
}

void SubScreen::update() {
    pages_.forEach([](PageScreen& p) { p.update(); });
}

void SubScreen::show() {
    SubScreen* old = activeSub;
    if (old == this)
        return;
    if (old) {
        old->close();
        old->closePage(old->currentPage_);
    }
    open();
    openPage(currentPage_);
    visible_ = true;
    windowShow(window_, SW_SHOWDEFAULT);
    windowUpdate(window_);
    showPage(currentPage_);
    if (old)
        old->hide();
    setActiveSubScreen(this);
}

void SubScreen::hide() {
    windowShow(window_, SW_HIDE);
    visible_ = false;
    hidePage(currentPage_);
}

int SubScreen::onCommand(WParam, LParam) {
    return 1;
}

void SubScreen::openPage(int i) {
    if (PageScreen* p = page(i)) {
        currentPage_ = i;
        p->open();
    }
}

void SubScreen::showPage(int i) {
    if (PageScreen* p = page(i)) {
        p->setVisible(true);
        windowShow(p->window(), SW_SHOWDEFAULT);
        windowUpdate(p->window());
    }
}

void SubScreen::selectPage(int i) {
    PageScreen* next = page(i);
    if (!next || i == currentPage_)
        return;
    next->show();
    if (PageScreen* current = page(currentPage_)) {
        current->close();
        current->hide();
    }
    currentPage_ = i;
}

void SubScreen::closePage(int i) {
    if (PageScreen* p = page(i))
        p->close();
}

void SubScreen::hidePage(int i) {
    if (PageScreen* p = page(i))
        p->hide();
}

} // namespace q71
