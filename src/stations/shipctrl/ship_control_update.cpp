// The ship control station's frame: its readouts, switches and trim gauge follow the boat, and
// its answers to the course, speed and depth orders.
#include "stations/shipctrl/ship_control.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/read_out_strips.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "platform/window/window_paint.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"
#include "stations/geninfo/order_read_out.h"
#include "stations/geninfo/station_voice.h"
#include "stations/shipctrl/engine_dial.h"
#include "stations/shipctrl/helm_wheel.h"
#include "stations/shipctrl/hf_sonar.h"
#include "stations/shipctrl/plane_dials.h"
#include "stations/shipctrl/ship_orders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace q71 {
namespace {

constexpr int kGaugeTop = 31;
constexpr int kGaugeHeight = 106;
constexpr int kGaugeWidth = 10;
constexpr int kFineBarX = 33;
constexpr int kCoarseBarX = 58;
constexpr Rect kGaugeArea{kFineBarX, kGaugeTop, kCoarseBarX + kGaugeWidth, kGaugeTop + kGaugeHeight};

void showValue(ReadOut& readOut, int value) {
    if (readOut.getValue() != value)
        readOut.setValue(value);
}

} // namespace

void ShipControl::update() {
    SubScreen::update();
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (window() == WindowHandle{} || !own)
        return;
    hfDisplay_->render();
    const OwnShipMotion& m = *own->ownMotion;
    showValue(readOut(300), depthFeetOf(m.z));
    showValue(readOut(500), readOutWhole(std::fabs(m.speed)));
    OwnShipMotion& boat = *own->ownMotion;
    const double length = std::max(0.0, boat.towedArrayLength(boat.selectedArray()));
    showValue(readOut(800), static_cast<int>(length * kMetresToYards * 3.0 + 0.5));
    showValue(readOut(700), static_cast<int>(m.airBank));
    courseDial_->setActual(m.heading);
    sternDial_->setActual(360.0 - m.planeAngle1);
    bowDial_->setActual(-m.planeAngle2);
    const double rudder = std::clamp(m.rudderAngle, -m.maxRudderAngle, m.maxRudderAngle);
    rudderDial_->setActual(-rudder);
    wheel_->follow(rudder, m.planeAngle2);

    const int v = static_cast<int>(m.pitch * 10.0);
    if (v != trim_) {
        trim_ = v;
        Rect area = kGaugeArea;
        windowInvalidate(window(), &area, false);
    }
    const bool diving = m.modeWord != 0;
    if (diving && dive_->getState() == 2)
        dive_->setState(1);
    else if (!diving && dive_->getState() == 1)
        dive_->setState(2);
    const TwoPositionDevice& snorkel = m.masts[kMastSnorkel];
    if (snorkel.state == kDeviceRaised && snorkel_->getState() == 2)
        snorkel_->setState(1);
    else if (snorkel.state == kDeviceLowered && snorkel_->getState() == 1)
        snorkel_->setState(2);
}

void ShipControl::courseReply(bool voice) {
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (!own)
        return;
    const MotionModel& m = *own->ownMotion;
    courseDial_->setOrdered(m.orderedCourse);
    if (!voice)
        return;
    const int c = readOutCourse(m.orderedCourse);
    const double d = angleDiff(m.heading, m.orderedCourse);
    if (d < 0.0) {
        stationReportCourse(c, 0);
        msgLogPrintfId(84, c);
    } else if (d > 0.0) {
        stationReportCourse(c, 1);
        msgLogPrintfId(83, c);
    }
}

void ShipControl::speedReply(bool voice) {
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (!own)
        return;
    const int s = static_cast<int>(own->ownMotion->orderedSpeed + 0.5);
    showValue(readOut(600), s);
    engineDial_->synchronise(own->ownMotion->engineOrder, false);
    if (!voice)
        return;
    if (s > 0) {
        char sample[32];
        std::snprintf(sample, sizeof sample, "OOD%dkts.wav", s);
        stationSayOfficerOfDeck(sample);
        msgLogPrintfId(62, s);
    } else {
        stationSayHelm("Hlm1.wav");
        msgLogPrintfId(77);
    }
}

void ShipControl::depthReply(bool voice) {
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (!own)
        return;
    const MotionModel& m = *own->ownMotion;
    const int d = depthFeetOf(m.orderedDepth);
    showValue(readOut(400), d);
    if (voice && !m.emergencyBlow && depthReportDue(m.z, d)) {
        stationReportDepth(d);
        msgLogPrintfId(61, d);
    }
}

void ShipControl::paint(DeviceContext& dc) {
    SubScreen::paint(dc);
    if (isVisible())
        paintTrimGauge(dc);
}

void ShipControl::paintTrimGauge(DeviceContext& dc) const {
    const Pen outline = createPen(PenStyle::Solid, 1, 240);
    const Pen dots = createPen(PenStyle::Dot, 1, 0xDCDCDC);
    const Brush fill = createSolidBrush(255);
    const Pen oldPen = dc.selectPen(outline);
    const Brush oldBrush = dc.selectBrush(fill);
    const int bottom = kGaugeTop + kGaugeHeight;
    for (const auto& [x, limit] : {std::pair{kFineBarX, 50}, std::pair{kCoarseBarX, 400}}) {
        const int top = trimBarTop(trim_, limit);
        dc.selectPen(outline);
        dc.rectangle({x, top, x + kGaugeWidth, bottom});
        dc.selectPen(dots);
        dc.moveTo({x + kGaugeWidth - 3, top + 1});
        dc.lineTo({x + kGaugeWidth - 3, bottom - 2});
    }
    dc.selectPen(oldPen);
    dc.selectBrush(oldBrush);
}

} // namespace q71
