#include "platform/display/headless_backend.h"

namespace q71 {

bool HeadlessBackend::pollEvent(InputEvent& event) {
    std::lock_guard lock(lock_);
    if (events_.empty())
        return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void HeadlessBackend::waitForEvents(std::chrono::milliseconds timeout) {
    std::unique_lock lock(lock_);
    if (waitsInRealTime_)
        wakeUp_.wait_for(lock, timeout, [&] { return woken_ || !events_.empty(); });
    woken_ = false;
}

void HeadlessBackend::wake() {
    {
        std::lock_guard lock(lock_);
        woken_ = true;
    }
    wakeUp_.notify_one();
}

void HeadlessBackend::present() {
    surface_.takeChanged();
    ++framesShown_;
}

void HeadlessBackend::inject(const InputEvent& event) {
    {
        std::lock_guard lock(lock_);
        events_.push_back(event);
    }
    wakeUp_.notify_one();
}

void HeadlessBackend::click(Point position, MouseButton button) {
    moveMouse(position);
    inject(InputEvent::buttonAt(InputKind::ButtonDown, button, position));
    inject(InputEvent::buttonAt(InputKind::ButtonUp, button, position));
}

void HeadlessBackend::typeKey(std::uint8_t virtualKey, int character, bool held) {
    inject(InputEvent::keyOf(InputKind::KeyDown, virtualKey, character));
    if (!held)
        inject(InputEvent::keyOf(InputKind::KeyUp, virtualKey));
}

} // namespace q71
