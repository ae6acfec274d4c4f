#pragma once
// The fathometer's trace: a 350 by 350 memory picture of the soundings of the chosen history,
// the newest at the left. Each second it reads the depth under the keel into the readout and,
// when the history took a new sample, scrolls one column right and draws the newest joins; a
// reset redraws the whole history at the current scales.

#include "framework/widgets/base_widget.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"

#include <memory>

namespace q71 {

class ReadOut;

class FathometerTrace : public BaseWidget {
public:
    /// The update timer of the trace's window.
    static constexpr std::uintptr_t kUpdateTimer = 1000;
    static constexpr std::uint32_t kUpdateMs = 1000;
    static constexpr int kSize = 350;

    /// A windowed trace in the page; the readout (may be null) shows the depth under the keel.
    FathometerTrace(WindowHandle page, int x, int y, ReadOut* readout);
    ~FathometerTrace() override;

    /// Redraw the whole history at the next update.
    void requestReset() { reset_ = true; }
    /// The scales in use (checked indices).
    void setScales(int timeIndex, int depthIndex);
    /// Stops the timer (the page closes).
    void stop();

    /// Reads the depth and draws what is new; with a reset, the whole history.
    void update();
    void paint(PaintRecord& paint) override;
    void onTimer(std::uintptr_t id) override;

    bool running() const { return running_; }
    /// The picture (null before the first paint).
    const Bitmap* picture() const { return bitmap_.get(); }

private:
    void ensureGraphics();
    void clearPicture();
    void scrollOneColumn();
    void drawAxes();

    ReadOut* readout_;
    std::unique_ptr<DeviceContext> memory_;
    BitmapRef bitmap_;
    bool running_ = false;
    bool reset_ = true;
    int timeIndex_ = 0;
    int depthIndex_ = 2;
    long long shownDepth_ = -1;
    double lastDrawn_ = -1.0;
};

} // namespace q71
