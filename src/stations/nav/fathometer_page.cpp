#include "stations/nav/fathometer_page.h"

#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/detent_switch.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/read_out_strips.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "stations/nav/fathometer_scale.h"
#include "stations/nav/fathometer_trace.h"
#include "stations/nav/nav_own_boat.h"

namespace q71 {
namespace {

constexpr NavPage::Art kArt{kFathometerGroup, kFathometerBackground, "Fath"};
constexpr const char* kSharedGroup = "shared";
constexpr ColorRef kUnitColour = rgb(0, 240, 0);

} // namespace

// A knob that tells the page its detent before the page hears the command.
class FathometerPage::Knob : public DetentSwitch {
public:
    Knob(FathometerPage& page, const NavKnobRow& row)
        : DetentSwitch(page.window(), row.control.id, row.control.bitmap, row.control.x, row.control.y,
                       row.control.width, row.control.height, row.control.frames, row.startAngle, row.sweep,
                       row.detents, false),
          page_(page) {
        setLimits(kFathometerKnobPivotX, kFathometerKnobPivotY);
        dress(*this, row.control);
    }
    void onTurnEnd(int detent) override {
        page_.knobMoved(controlId(), detent);
        DetentSwitch::onTurnEnd(detent);
    }

private:
    FathometerPage& page_;
};

FathometerPage::FathometerPage(WindowHandle screen)
    : NavPage("fathometer", screen, kArt, kFathometerPageButtons, kNavCmdFathometerPage) {
    readStoredScales();
    timeKnob_ = &add(std::make_unique<Knob>(*this, kFathometerTimeKnob));
    depthKnob_ = &add(std::make_unique<Knob>(*this, kFathometerDepthKnob));
    readOut_ = std::make_unique<SmallReadOut>(window(), kFathometerReadOutId, kFathometerReadOutX,
                                              kFathometerReadOutY, kFathometerReadOutDigits, false, false);
    trace_ = std::make_unique<FathometerTrace>(window(), kFathometerGlass.left, kFathometerGlass.top,
                                               readOut_.get());
    if (textToolTipsEnabled())
        for (const NavHotSpotRow& spot : kFathometerHotSpots)
            hotSpots_.push_back(std::make_unique<HotSpot>(window(), 0, textGetString(spot.text),
                                                          BaseWidget::sharedCursor(), spot.rect, true));
}

FathometerPage::~FathometerPage() = default;

void FathometerPage::readStoredScales() {
    const OwnShipMotion* motion = navOwnMotion();
    if (!motion)
        return;
    const int time = motion->stationSettings[OwnShipMotion::kFathometerTimeScaleSetting];
    const int depth = motion->stationSettings[OwnShipMotion::kFathometerDepthScaleSetting];
    if (fathometerHistoryCode(time))
        timeIndex_ = time;
    if (fathometerFullScale(depth))
        depthIndex_ = depth;
}

void FathometerPage::knobMoved(int id, int detent) {
    OwnShipMotion* motion = navOwnMotion();
    if (id == kFathCmdTimeKnob && fathometerHistoryCode(detent)) {
        timeIndex_ = detent;
        if (motion)
            motion->stationSettings[OwnShipMotion::kFathometerTimeScaleSetting] = detent;
    } else if (id == kFathCmdDepthKnob && fathometerFullScale(detent)) {
        depthIndex_ = detent;
        if (motion)
            motion->stationSettings[OwnShipMotion::kFathometerDepthScaleSetting] = detent;
    }
    trace_->setScales(timeIndex_, depthIndex_);
}

void FathometerPage::openPage() {
    grpOpenGroup(kSharedGroup);
    readOut_->loadResources();
    readStoredScales();
    trace_->setScales(timeIndex_, depthIndex_);
    trace_->requestReset();
    timeKnob_->setPosition(timeIndex_);
    depthKnob_->setPosition(depthIndex_);
}

void FathometerPage::closePage() {
    readOut_->freeResources();
    trace_->stop();
}

int FathometerPage::pageCommand(int id, int) {
    if (id == kFathCmdDepthKnob || id == kFathCmdTimeKnob) {
        trace_->requestReset();
        return 1;
    }
    return 0;
}

void FathometerPage::paint(DeviceContext& dc) {
    NavPage::paint(dc);
    if (!isVisible())
        return;
    // The unit belongs to the page: the trace draws only inside its own window.
    dc.selectFont(appApplicationFont());
    dc.setTextColor(kUnitColour);
    dc.setBkMode(kTransparent);
    dc.textOut({kFathometerUnitX, kFathometerUnitY}, "FT");
}

} // namespace q71
