#include "stations/shipctrl/engine_dial.h"

#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"
#include "platform/window/timers.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/audio_service.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/world_lists.h"
#include "stations/shipctrl/ship_orders.h"

#include <cmath>
#include <numbers>

namespace q71 {

namespace {
constexpr int kTimerText = 868;

int pointerAngle(int position) { return 360 - telegraphAngle(position); }

void startAnswer(WindowHandle window, std::uint32_t ms) {
    if (!timerSet(window, EngineDial::kAnswerTimer, ms))
        reportFatal(textGetString(kTimerText), 95, "engine", 0);
}
} // namespace

EngineDial::EngineDial(WindowHandle parent, int id, int x, int y, int width, int height)
    : CourseDial(parent, id, x, y, width, height, "engine.bmp", "en_actul", "enor_fin") {
    actual_.position = {0.03f, -0.1f, -0.95f};
    actual_.scale = {1.3f, 1.3f, 1.3f};
    orderedPointer_.position = {0.03f, -0.1f, -1.0f};
    orderedPointer_.scale = {1.3f, 1.3f, 1.3f};
}

void EngineDial::loadResources() {
    if (camera())
        return;
    CourseDial::loadResources();
    if (r3d::Camera* c = camera()) {
        const float wide = 2.0f * std::tan(22.5f * std::numbers::pi_v<float> / 180.0f);
        r3d::setProjection(*c, r3d::Projection::Perspective);
        r3d::setNearClip(*c, 0.1f);
        r3d::setFarClip(*c, 100.0f);
        r3d::setViewWindow(*c, wide, wide * static_cast<float>(getHeight()) / static_cast<float>(getWidth()));
        setLightBrightness(0.8f);
    }
}

void EngineDial::freeResources() {
    timerKill(window(), kAnswerTimer);
    CourseDial::freeResources();
}

void EngineDial::synchronise(double bell, bool opening) {
    const int p = static_cast<int>(bell + 4.0);
    if (p < 0 || p >= kTelegraphPositions)
        return;
    if (opening) {
        answeringPosition_ = p;
        actual_.angle = pointerAngle(p);
    } else if (p == orderedPosition_) {
        return;
    }
    orderedPosition_ = p;
    orderedPointer_.angle = pointerAngle(p);
    markChanged();
    draw();
    if (!opening)
        startAnswer(window(), kFirstDelay);
}

void EngineDial::order(int position) {
    if (auto* own = worldOwnSubmarineWithMotion())
        own->ownMotion->setEngineOrder(position - 4);
    orderedPosition_ = position;
    orderedPointer_.angle = pointerAngle(position);
    markChanged();
    draw();
    startAnswer(window(), kFirstDelay);
    notifyParent(static_cast<LParam>(position));
}

void EngineDial::onLeftDown(int x, int y) {
    const auto bearing = dialClickBearing(x - getWidth() / 2, y - getHeight() / 2);
    if (!bearing)
        return;
    if (const auto position = telegraphPositionAt(*bearing))
        order(*position);
}

void EngineDial::onTimer(std::uintptr_t id) {
    if (id != kAnswerTimer)
        return CourseDial::onTimer(id);
    timerKill(window(), kAnswerTimer);
    if (answeringPosition_ == orderedPosition_) {
        simAudio().playByName("dialsnd.WAV", false, true, false);
        return;
    }
    answeringPosition_ += answeringPosition_ < orderedPosition_ ? 1 : -1;
    actual_.angle = pointerAngle(answeringPosition_);
    markChanged();
    draw();
    startAnswer(window(), kStepDelay);
}

} // namespace q71
