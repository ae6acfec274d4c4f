#include "stations/nav/fathometer_trace.h"

#include "framework/app/shell_fonts.h"
#include "framework/widgets/read_out.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/pen_brush.h"
#include "platform/gdi/text_format.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/simulation/geometry.h"
#include "stations/nav/fathometer_scale.h"
#include "stations/nav/nav_own_boat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace q71 {
namespace {

constexpr ColorRef kTraceColour = rgb(0, 248, 0);
constexpr ColorRef kGridColour = rgb(0, 100, 0);
constexpr ColorRef kBackground = rgb(24, 33, 41);
constexpr ColorRef kLabelColour = rgb(0, 240, 0);
constexpr int kLeft = 31;
constexpr int kTop = 15;
constexpr int kBottom = 350;

} // namespace

FathometerTrace::FathometerTrace(WindowHandle page, int x, int y, ReadOut* readout)
    : BaseWidget(page, x, y, kSize, kSize, true), readout_(readout) {
    name_ = "FathometerTrace";
}

FathometerTrace::~FathometerTrace() {
    stop();
}

void FathometerTrace::setScales(int timeIndex, int depthIndex) {
    if (fathometerHistoryCode(timeIndex))
        timeIndex_ = timeIndex;
    if (fathometerFullScale(depthIndex))
        depthIndex_ = depthIndex;
}

void FathometerTrace::stop() {
    if (running_ && windowIsValid(window()))
        timerKill(window(), kUpdateTimer);
    running_ = false;
}

void FathometerTrace::ensureGraphics() {
    if (memory_)
        return;
    memory_ = DeviceContext::createMemory();
    bitmap_ = Bitmap::createCompatible(kSize, kSize);
    memory_->selectBitmap(bitmap_);
    // The depth labels have the 27 pixels left of the axis's ticks: five digits fit them in the narrow
    // face, one blank column before the tick.
    memory_->selectFont(appChartFont());
    memory_->setTextColor(kLabelColour);
    memory_->setBkColor(kBackground);
    memory_->setBkMode(kOpaque);
    memory_->selectBrush(createSolidBrush(kBackground));
    clearPicture();
}

void FathometerTrace::clearPicture() {
    memory_->fillRect({0, 0, kSize, kSize}, createSolidBrush(kBackground));
    memory_->selectPen(createPen(PenStyle::Solid, 1, kGridColour));
    for (int row : fathometerGridRows()) {
        memory_->moveTo({kLeft, row});
        memory_->lineTo({kBottom, row});
    }
}

void FathometerTrace::scrollOneColumn() {
    // The block moves right onto itself; the copy handles the overlap.
    bitBlt(*memory_, kLeft + 1, kTop, kBottom - kLeft - 1, kBottom - kTop, memory_.get(), kLeft, kTop, kSrcCopy);
    memory_->selectPen(createPen(PenStyle::Solid, 1, kBackground));
    memory_->moveTo({kLeft + 1, kTop});
    memory_->lineTo({kLeft + 1, kBottom});
    memory_->selectPen(createPen(PenStyle::Solid, 1, kGridColour));
    for (int row : fathometerGridRows()) {
        memory_->moveTo({kLeft + 1, row});
        memory_->lineTo({kLeft + 3, row});
    }
}

void FathometerTrace::update() {
    OwnShipMotion* motion = navOwnMotion();
    if (!motion)
        return;
    const long long depth = static_cast<long long>(fathometerKeelDepthFeet(motion->z, motion->floorHere()));
    if (depth != shownDepth_) {
        if (readout_)
            readout_->setValue(static_cast<int>(std::llabs(depth)));
        shownDepth_ = depth;
    }
    ensureGraphics();
    const DepthRing* ring = motion->depthHistory.byCode(*fathometerHistoryCode(timeIndex_));
    if (!ring || !fathometerRingUsable(*ring))
        return;
    const bool reset = reset_;
    if (reset) {
        clearPicture();
    } else {
        if (ring->newestTime() == lastDrawn_)
            return;
        scrollOneColumn();
    }
    lastDrawn_ = ring->newestTime();
    const std::vector<Point> points =
        fathometerWalk(*ring, *fathometerFullScale(depthIndex_),
                       reset ? kFathometerRedrawSegments : kFathometerStepSegments);
    memory_->selectPen(createPen(PenStyle::Solid, 1, kTraceColour));
    if (points.size() > 1)
        memory_->polyline(points);
    reset_ = false;
    if (reset) {
        invalidate(nullptr, false);
    } else if (windowIsValid(window())) {
        drawAxes();
        if (auto dc = getWindowDC(window()))
            bitBlt(*dc, 0, 0, kSize, kSize, memory_.get(), 0, 0, kSrcCopy);
    }
}

void FathometerTrace::drawAxes() {
    memory_->selectPen(createPen(PenStyle::Solid, 1, kTraceColour));
    memory_->moveTo({kLeft, kTop - 1});
    memory_->lineTo({kBottom - 1, kTop - 1});
    memory_->moveTo({kLeft, kTop});
    memory_->lineTo({kLeft, kBottom - 1});
    const double fullScale = *fathometerFullScale(depthIndex_);
    for (int i = 1; i <= 9; ++i) {
        const double metres = i * fullScale * 0.1;
        const int y = static_cast<int>(kTop + (kBottom - kTop) * metres / fullScale);
        memory_->moveTo({kLeft - 3, y});
        memory_->lineTo({kLeft, y});
        char label[24];
        std::snprintf(label, sizeof label, "%d", static_cast<int>(std::fabs(metres * kMetresToYards * 3.0)));
        Rect box{0, y - 8, kLeft - 4, y + 8};
        memory_->drawText(label, box, kDtRight | kDtVCenter | kDtSingleLine);
    }
}

void FathometerTrace::paint(PaintRecord& paint) {
    if (!memory_) {
        ensureGraphics();
        update();
    }
    if (!running_ && windowIsValid(window())) {
        timerSet(window(), kUpdateTimer, kUpdateMs);
        running_ = true;
    }
    drawAxes();
    bitBlt(*paint.dc, 0, 0, kSize, kSize, memory_.get(), 0, 0, kSrcCopy);
}

void FathometerTrace::onTimer(std::uintptr_t id) {
    if (id == kUpdateTimer)
        update();
}

} // namespace q71
