#pragma once
// The intercept page's polar display (192 by 192 in its own window, over the bearing rose of the
// page's background): the bearings of the intercept receiver's recent rows as spokes that fade
// over five seconds, and the nine lamps of the strongest. Timer 2006 redraws it every 150 ms.

#include "framework/widgets/base_widget.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "tactical/sonar/display_timer.h"

#include <array>
#include <functional>
#include <memory>

namespace q71 {

class InterceptSonar;
class WidgetBitmap;

/// How long an intercept stays on the display.
inline constexpr double kInterceptFade = 5.0;

/// The own boat's intercept receiver, or null.
const InterceptSonar* interceptReceiver();
/// The strength an intercept row of a level shows `age` seconds after its time (0 once faded).
double interceptStrength(int level, double age);
/// The lamps lit for the strongest strength: trunc(min(9, strength / 10)).
int interceptLamps(double strongest);
/// The colour of a spoke of a strength.
ColorRef interceptColour(double strength);
/// The inner and outer ends of the spoke of a bearing (degrees; 0 up, 90 right) in the square.
std::array<Point, 2> interceptSpoke(int bearing);

class InterceptScope : public BaseWidget {
public:
    static constexpr std::uintptr_t kTimer = 2006;
    static constexpr int kX = 68, kY = 82, kSize = 192;

    /// The scope of a page, whose background is saved under it; `composed` is told the strongest
    /// strength after each drawing.
    InterceptScope(WindowHandle page, const WidgetBitmap& background, std::function<void(double)> composed);
    ~InterceptScope() override;

    void paint(PaintRecord& paint) override;
    void onTimer(std::uintptr_t id) override;
    void stopTimer();
    /// Draws the receiver's recent rows over the saved background and copies the square to its
    /// window; returns the strongest strength drawn.
    double compose(const InterceptSonar* receiver, double now);

    DeviceContext* picture() const { return composeDc_.get(); }

private:
    bool ensureBitmaps();

    const WidgetBitmap& background_;
    std::function<void(double)> composed_;
    BitmapRef under_, compose_;
    std::unique_ptr<DeviceContext> underDc_, composeDc_;
    DisplayTimer timer_{kTimer, 150};
};

} // namespace q71
