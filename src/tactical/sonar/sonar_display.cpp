#include "tactical/sonar/sonar_display.h"

#include "platform/gdi/blit.h"
#include "platform/window/focus.h"
#include "platform/window/window.h"

namespace q71 {

SonarDisplay::SonarDisplay(WindowHandle page, const char* name, int x, int y, int width, int height,
                           std::uintptr_t timer, std::uint32_t periodMs)
    : BaseWidget(page, x, y, width, height, true), timer_(timer, periodMs) {
    setName(name);
}

SonarDisplay::~SonarDisplay() {
    stopTimer();
}

bool SonarDisplay::ready() {
    if (picture_.valid())
        return true;
    if (!picture_.ensureDisplay(getWidth(), getHeight()))
        return false;
    picture_.fill(0);
    return true;
}

void SonarDisplay::paint(PaintRecord& paint) {
    redraw();
    if (paint.dc && picture_.valid())
        bitBlt(*paint.dc, 0, 0, getWidth(), getHeight(), picture_.dc(), 0, 0, kSrcCopy);
    if (timer_.id() != 0 && timer_.start(window()))
        timerStarted();
}

void SonarDisplay::onTimer(std::uintptr_t id) {
    if (id == timer_.id() && id != 0)
        tick();
}

void SonarDisplay::stopTimer() {
    timer_.stop(window());
}

void SonarDisplay::beginDrag() {
    dragging_ = true;
    if (windowIsValid(window()))
        captureSet(window());
}

bool SonarDisplay::endDrag() {
    if (!dragging_)
        return false;
    dragging_ = false;
    if (captureGet() == window())
        captureRelease();
    return true;
}

} // namespace q71
