#include "tactical/sonar/intercept_page.h"

#include "framework/widgets/read_out_strips.h"
#include "framework/widgets/simple_button.h"
#include "sim/entities/sensors/intercept_receivers.h"
#include "sim/simulation/sim_clock.h"

#include <cmath>

namespace q71 {

InterceptPage::InterceptPage(WindowHandle suite) : SonarPageScreen(kInterceptArt, suite, kInterceptHotSpots) {
    for (int i = 0; i < kInterceptLampCount; ++i) {
        lamps_[static_cast<std::size_t>(i)] = &addButton(kInterceptLamps[i], SimpleButton::kLatch);
        lamps_[static_cast<std::size_t>(i)]->setEnabled(false);
    }
    const InterceptReadoutRow rows[] = {kInterceptBearingReadout, kInterceptSignalReadout,
                                        kInterceptSinceReadout, kInterceptIntervalReadout};
    for (std::size_t i = 0; i < readouts_.size(); ++i) {
        readouts_[i] = &addReadOut(std::make_unique<LargeReadOut>(window(), 0, rows[i].at.x, rows[i].at.y,
                                                                  rows[i].digits, false, false));
        digits_[i] = rows[i].digits;
    }
    scope_ =
        &add(std::make_unique<InterceptScope>(window(), background(), [this](double s) { composed(s); }));
}

void InterceptPage::openPage() {
    shown_.fill(-1);
    sonarSelectArray(kSonarInterceptArray);
}

void InterceptPage::closePage() {
    scope_->stopTimer();
}

void InterceptPage::showReadout(int which, int value) {
    const auto i = static_cast<std::size_t>(which);
    if (shown_[i] == value)
        return;
    shown_[i] = value;
    sonarSetDigits(*readouts_[i], digits_[i], value);
}

void InterceptPage::composed(double strongest) {
    if (const InterceptSonar* receiver = interceptReceiver()) {
        showReadout(0, static_cast<int>(std::trunc(receiver->lastBearing())));
        showReadout(1, std::max(0, receiver->lastFrequency()));
        if (receiver->lastInterceptTime() != 0.0)
            showReadout(2, std::max(0, static_cast<int>(std::trunc(simClock().gameClock -
                                                                   receiver->lastInterceptTime()))));
        showReadout(3, std::max(0, receiver->interceptInterval()));
    }
    const int lit = interceptLamps(strongest);
    for (int i = 0; i < kInterceptLampCount; ++i) {
        SimpleButton& lamp = *lamps_[static_cast<std::size_t>(i)];
        const int state = i < lit ? 1 : 2;
        if (lamp.getState() != state)
            lamp.setState(state);
    }
}

int InterceptPage::lampsLit() {
    int lit = 0;
    for (SimpleButton* lamp : lamps_)
        lit += lamp->getState() == 1 ? 1 : 0;
    return lit;
}

int InterceptPage::pageCommand(int, int) {
    return 1;
}

} // namespace q71
