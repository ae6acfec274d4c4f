#include "tactical/sonar/display_timer.h"

#include "platform/window/timers.h"
#include "platform/window/window.h"

namespace q71 {

bool DisplayTimer::start(WindowHandle window) {
    if (running_ || !windowIsValid(window))
        return false;
    timerSet(window, id_, period_);
    running_ = true;
    return true;
}

void DisplayTimer::stop(WindowHandle window) {
    if (running_ && windowIsValid(window))
        timerKill(window, id_);
    running_ = false;
}

} // namespace q71
