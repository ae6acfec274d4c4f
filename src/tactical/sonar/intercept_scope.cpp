#include "tactical/sonar/intercept_scope.h"

#include "framework/math/fast_math.h"
#include "framework/widgets/widget_bitmap.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/window.h"
#include "sim/entities/sensors/intercept_receivers.h"
#include "sim/entities/sensors/sonar_rows.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/sonar/sonar_state.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr int kCentre = 96;
constexpr int kInner = 17;
constexpr int kOuter = 87;

} // namespace

const InterceptSonar* interceptReceiver() {
    const OwnShipEntity* own = worldOwnSubmarine();
    return own ? own->interceptUnit : nullptr;
}

double interceptStrength(int level, double age) {
    return level * (kInterceptFade - age) * 0.2;
}

int interceptLamps(double strongest) {
    return static_cast<int>(std::trunc(std::min(9.0, 0.1 * strongest)));
}

ColorRef interceptColour(double strength) {
    return rgb(24, static_cast<std::uint8_t>((static_cast<int>(std::trunc(strength)) + 25) * 2 % 256), 41);
}

std::array<Point, 2> interceptSpoke(int bearing) {
    int a = 90 - bearing;
    if (a < 0)
        a += 360;
    // The table's cosine of a + 270 is the sine of a; the table wraps the angle into the circle.
    const double c = tableCosDegrees(a);
    const double s = tableCosDegrees(a + 270);
    const auto end = [&](int radius) {
        return Point{kCentre - static_cast<int>(std::trunc(-radius * c)),
                     kCentre - static_cast<int>(std::trunc(radius * s))};
    };
    return {end(kInner), end(kOuter)};
}

InterceptScope::InterceptScope(WindowHandle page, const WidgetBitmap& background,
                               std::function<void(double)> composed)
    : BaseWidget(page, kX, kY, kSize, kSize, true), background_(background), composed_(std::move(composed)) {
    setName("icptscope");
}

InterceptScope::~InterceptScope() {
    stopTimer();
}

bool InterceptScope::ensureBitmaps() {
    if (composeDc_)
        return true;
    under_ = Bitmap::createCompatible(kSize, kSize);
    compose_ = Bitmap::createCompatible(kSize, kSize);
    if (!under_ || !compose_)
        return false;
    underDc_ = DeviceContext::createMemory();
    underDc_->selectBitmap(under_);
    // The page's own background under the square, not the window, so that nothing drawn over the
    // window (a tool tip) is kept.
    background_.draw(*underDc_, -kX, -kY);
    composeDc_ = DeviceContext::createMemory();
    composeDc_->selectBitmap(compose_);
    return true;
}

double InterceptScope::compose(const InterceptSonar* receiver, double now) {
    if (!ensureBitmaps())
        return 0.0;
    bitBlt(*composeDc_, 0, 0, kSize, kSize, underDc_.get(), 0, 0, kSrcCopy);
    std::array<int, 360> drawn{};
    double strongest = 0.0;
    const SoundRing<BroadbandRow>* ring = receiver ? receiver->broadband() : nullptr;
    if (ring) {
        for (std::size_t age = 0; age < ring->count(); ++age) {
            const BroadbandRow& row = ring->newest(age);
            for (int j = 0; j < 360; ++j) {
                const int level = row.level[static_cast<std::size_t>(bearingBin(j))];
                if (level == 0)
                    continue;
                const double strength = interceptStrength(level, now - row.time);
                if (!(strength > drawn[static_cast<std::size_t>(j)]))
                    continue;
                composeDc_->selectPen(createPen(PenStyle::Solid, 2, interceptColour(strength)));
                const auto spoke = interceptSpoke(j);
                composeDc_->moveTo(spoke[0]);
                composeDc_->lineTo(spoke[1]);
                drawn[static_cast<std::size_t>(j)] = static_cast<int>(std::trunc(strength));
                strongest = std::max(strongest, strength);
            }
        }
    }
    if (composed_)
        composed_(strongest);
    if (windowIsValid(window()))
        if (auto dc = getWindowDC(window()))
            bitBlt(*dc, 0, 0, kSize, kSize, composeDc_.get(), 0, 0, kSrcCopy);
    return strongest;
}

void InterceptScope::paint(PaintRecord& paint) {
    compose(interceptReceiver(), simClock().gameClock);
    if (paint.dc && composeDc_)
        bitBlt(*paint.dc, 0, 0, kSize, kSize, composeDc_.get(), 0, 0, kSrcCopy);
    timer_.start(window());
}

void InterceptScope::onTimer(std::uintptr_t id) {
    if (id == kTimer)
        compose(interceptReceiver(), simClock().gameClock);
}

void InterceptScope::stopTimer() {
    timer_.stop(window());
}

} // namespace q71
