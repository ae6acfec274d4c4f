#include "stations/shipctrl/course_dial.h"

#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"
#include "platform/window/timers.h"
#include "stations/shipctrl/ship_orders.h"

#include <cmath>

namespace q71 {

namespace {
constexpr const char* kSource = "course";
constexpr int kMissingText = 606;
constexpr int kTimerText = 868;

int wholeAngle(double value) { return 360 - static_cast<int>(value); }
} // namespace

CourseDial::CourseDial(WindowHandle parent, int id, int x, int y, int width, int height, std::string background,
                       std::string actualModel, std::string orderedModel)
    : ShipCtrlRWDial(parent, id, x, y, width, height, std::move(background), std::move(actualModel)),
      orderedModel_(std::move(orderedModel)) {
    actual_.scale = {0.9f, 0.9f, 0.9f};
    orderedPointer_.scale = {1.4f, 1.4f, 1.4f};
    orderedPointer_.position = {0.0f, 0.0f, -1.0f};
}

CourseDial::~CourseDial() { CourseDial::freeResources(); }

void CourseDial::loadResources() {
    if (camera())
        return;
    ShipCtrlRWDial::loadResources();
    if (!camera())
        return;
    orderedPointer_.model = addPointer(orderedModel_);
    if (!orderedPointer_.model)
        reportFatal(textGetString(kMissingText), 159, kSource, 0);
}

void CourseDial::freeResources() {
    timerKill(window(), kCommitTimer);
    releasePointer(orderedPointer_);
    ShipCtrlRWDial::freeResources();
}

void CourseDial::placePointers() {
    ShipCtrlRWDial::placePointers();
    place(orderedPointer_);
}

void CourseDial::setActual(double value) {
    const int angle = wholeAngle(value);
    if (angle != actual_.angle)
        markChanged();
    actual_.angle = angle;
    draw();
}

void CourseDial::setOrdered(double value) {
    ordered_ = std::fmod(value, 360.0);
    if (ordered_ < 0.0)
        ordered_ += 360.0;
    int angle = 360 - static_cast<int>(ordered_);
    if (angle < 0)
        angle += 360;
    if (angle != orderedPointer_.angle)
        markChanged();
    orderedPointer_.angle = angle;
    draw();
}

int CourseDial::getState() { return actual_.angle < 0 ? -actual_.angle : 360 - actual_.angle; }

void CourseDial::onLeftDown(int x, int y) {
    const auto bearing = dialClickBearing(x - getWidth() / 2, y - getHeight() / 2);
    if (!bearing)
        return;
    setOrdered(*bearing);
    notifyParent(static_cast<LParam>(*bearing));
}

void CourseDial::stepOrdered(int degrees) {
    setOrdered(static_cast<int>(ordered_) + degrees);
    if (!timerSet(window(), kCommitTimer, kCommitDelay))
        reportFatal(textGetString(kTimerText), 190, kSource, 0);
}

void CourseDial::onTimer(std::uintptr_t id) {
    if (id != kCommitTimer)
        return ShipCtrlRWDial::onTimer(id);
    timerKill(window(), kCommitTimer);
    notifyParent(static_cast<LParam>(ordered_));
}

} // namespace q71
