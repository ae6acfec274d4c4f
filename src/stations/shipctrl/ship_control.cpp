#include "stations/shipctrl/ship_control.h"

#include "framework/app/reporter.h"
#include "framework/app/shell_fonts.h"
#include "framework/app/station_table.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/detent_switch.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/read_out_strips.h"
#include "platform/geometry/region.h"
#include "platform/window/window_layout.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/audio_service.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/world_lists.h"
#include "stations/geninfo/order_read_out.h"
#include "stations/geninfo/peer_events.h"
#include "stations/geninfo/station_voice.h"
#include "stations/shipctrl/blow_lever.h"
#include "stations/shipctrl/course_dial.h"
#include "stations/shipctrl/engine_dial.h"
#include "stations/shipctrl/helm_wheel.h"
#include "stations/shipctrl/hf_sonar.h"
#include "stations/shipctrl/plane_dials.h"
#include "stations/shipctrl/ship_orders.h"

#include <cmath>

namespace q71 {
namespace {

constexpr const char* kSource = "ShipControl";
constexpr int kMissingText = 606;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;
constexpr double kDiveDepth = -9.7536; // 60 feet on the readouts

enum Control : int {
    kHfSonar = 100,
    kSnorkel = 200,
    kActualDepth = 300,
    kOrderedDepth = 400,
    kActualSpeed = 500,
    kOrderedSpeed = 600,
    kAir = 700,
    kArrayLength = 800,
    kCompressor = 900,
    kArraySelector = 1000,
    kWinch = 1100,
    kBlow = 1200,
    kCourse = 1400,
    kSternPlanes = 1600,
    kBowPlanes = 1700,
    kRudder = 1800,
    kWheel = 1900,
    kTelegraph = 1500,
    kDive = 2000,
};

struct ReadOutSpec {
    int id, x, y, digits;
    bool editable;
};
constexpr std::array<ReadOutSpec, 6> kReadOuts = {{
    {kActualDepth, 25, 190, 4, false},
    {kOrderedDepth, 25, 219, 4, true},
    {kActualSpeed, 419, 344, 2, false},
    {kOrderedSpeed, 482, 344, 2, true},
    {kAir, 134, 30, 3, false},
    {kArrayLength, 237, 24, 4, false},
}};

struct TipArea {
    int text;
    Rect area;
};
constexpr std::array<TipArea, 14> kTips = {{
    {413, {19, 4, 83, 15}},     {414, {131, 5, 176, 16}},   {415, {156, 104, 299, 115}},
    {416, {249, 5, 337, 16}},   {417, {434, 5, 489, 16}},   {418, {10, 175, 82, 186}},
    {419, {18, 257, 87, 268}},  {420, {10, 301, 82, 322}},  {421, {155, 200, 203, 211}},
    {426, {291, 201, 331, 211}}, {422, {217, 300, 276, 311}}, {423, {436, 324, 488, 335}},
    {424, {432, 174, 488, 185}}, {425, {435, 379, 495, 390}},
}};

[[noreturn]] void missing(int line) {
    reportFatal(textGetString(kMissingText), line, kSource, 0);
}

// The winch switch's detent for a winch direction: out 0, stopped 1, in 2.
int winchDetent(double direction) {
    return direction > 0.0 ? 0 : direction < 0.0 ? 2 : 1;
}

} // namespace

ShipControl::ShipControl(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {
    buildWidgets();
}

ShipControl::~ShipControl() = default;

void ShipControl::buildWidgets() {
    const WindowHandle w = window();
    for (std::size_t i = 0; i < kReadOuts.size(); ++i) {
        const ReadOutSpec& r = kReadOuts[i];
        readOuts_[i] = std::make_unique<LargeReadOut>(w, r.id, r.x, r.y, r.digits, r.editable, false);
        if (r.editable)
            readOuts_[i]->setLit(false);
    }
    readOut(kAir).setValue(83);
    hfSonar_ = std::make_unique<ButtonToggle>(w, kHfSonar, "X340Y120.bmp", 5, 340, 120, 45, 60, false);
    hfSonar_->setClickSound("flpswtch.WAV", 1);
    snorkel_ = std::make_unique<ButtonToggle>(w, kSnorkel, "X016Y269.bmp", 5, 16, 269, 65, 28, false);
    snorkel_->setHitRect({7, 1, 53, 20});
    snorkel_->setClickSound("litlbtn.WAV", 1);
    snorkel_->setState(2);
    compressor_ = std::make_unique<ButtonToggle>(w, kCompressor, "X120Y065.bmp", 5, 120, 65, 63, 36, false);
    compressor_->setHitRect({9, 3, 54, 20});
    compressor_->setClickSound("litlbtn.WAV", 1);
    arraySelector_ = std::make_unique<ButtonToggle>(w, kArraySelector, "x220y054.bmp", 5, 220, 54, 96, 43, false);
    arraySelector_->setHitRect({2, 2, 82, 29});
    arraySelector_->setClickSound("flpswtch.WAV", 1);
    winch_ = std::make_unique<DetentSwitch>(w, kWinch, "x300y018.bmp", 300, 18, 85, 45, 5, -60, 120, 3, false);
    winch_->setLimits(16, 20);
    winch_->setClickSound("dialsnd.WAV", 1);
    blowLever_ = std::make_unique<BlowLever>(w, kBlow, 0, 322);
    dive_ = std::make_unique<ButtonToggle>(w, kDive, "X432Y391.bmp", 3, 432, 391, 64, 23, false);
    courseDial_ = std::make_unique<CourseDial>(w, kCourse, 417, 41, 95, 95, "course.bmp", "crs_act", "crs_ord");
    engineDial_ = std::make_unique<EngineDial>(w, kTelegraph, 407, 188, 115, 115);
    // The telegraph's round face: its corners stay the panel's, for clicks and painting alike.
    windowSetShape(engineDial_->window(), Region::ellipse({2, 3, 111, 111}), false);
    sternDial_ = std::make_unique<PlaneDial>(w, kSternPlanes, 133, 210, 90, 80, "stern.bmp", "strnpnt", "strnhld",
                                             DialPlacement{{0.4f, -0.03f, 0.0f}, {0.58f, -0.03f, 0.5f}, 0.35f, 0.32f});
    bowDial_ = std::make_unique<PlaneDial>(w, kBowPlanes, 265, 211, 90, 80, "bow.bmp", "bowpnt", "bowhld",
                                           DialPlacement{{-0.4f, 0.0f, 0.0f}, {-0.6f, -0.06f, 0.5f}, 0.35f, 0.35f});
    rudderDial_ = std::make_unique<RudderDial>(w, kRudder, 205, 310, 80, 69, "rudder.bmp", "rudpnt", "rudhld",
                                               DialPlacement{{0.04f, 0.55f, 0.0f}, {0.035f, 0.55f, 0.5f}, 0.5f, 0.38f});
    const OwnShipEntity* own = worldOwnSubmarineWithMotion();
    const double maxRudder = own ? own->ownMotion->maxRudderAngle : 30.0;
    // The planes swing as far as the rudder (the motion model's deflection law).
    wheel_ = std::make_unique<HelmWheel>(w, kWheel, 104, 297, maxRudder, maxRudder);
    // The rudder dial sits in the notch of the wheel's panel, outside the wheel's shape.
    for (ShipCtrlRWDial* dial : dials())
        dial->hide();
    hfDisplay_ = std::make_unique<RWhfsonar>(w);
    hfDisplay_->hide();
    dive_->setClickSound("litlbtn.WAV", 1);
    dive_->setState(2);
    if (textToolTipsEnabled()) {
        compressor_->setToolTip(textGetString(711), appChartFont());
        for (const TipArea& tip : kTips)
            tips_.push_back(std::make_unique<HotSpot>(w, 0, textGetString(tip.text), CursorHandle{}, tip.area, true,
                                                      appChartFont()));
    }
}

LargeReadOut& ShipControl::readOut(int id) const {
    return *readOuts_.at(static_cast<std::size_t>(id / 100 - 3));
}

ButtonToggle& ShipControl::control(int id) const {
    switch (id) {
    case kHfSonar:
        return *hfSonar_;
    case kSnorkel:
        return *snorkel_;
    case kCompressor:
        return *compressor_;
    case kArraySelector:
        return *arraySelector_;
    case kWinch:
        return *winch_;
    case kBlow:
        return *blowLever_;
    default:
        return *dive_;
    }
}

void ShipControl::open() {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup("shipctrl"))
        missing(__LINE__);
    if (!background_.load("screen22.bmp"))
        missing(721);
    for (ButtonToggle* b : {hfSonar_.get(), snorkel_.get(), compressor_.get(), arraySelector_.get(),
                            static_cast<ButtonToggle*>(winch_.get()), static_cast<ButtonToggle*>(blowLever_.get()),
                            dive_.get()})
        b->loadResources();
    if (!grpOpenGroup("shared"))
        missing(__LINE__);
    for (auto& r : readOuts_)
        r->loadResources();
    if (OwnShipEntity* own = worldOwnSubmarineWithMotion()) {
        const OwnShipMotion& m = *own->ownMotion;
        hfSonar_->setState(m.hfSonarOn ? 1 : 2);
        compressor_->setState(m.compressorOn ? 1 : 2);
        arraySelector_->setState(m.selectedArray() == TowedArray::P ? 2 : 1);
        blowLever_->setState(m.blowLeverSet ? 1 : 2);
        showWinch(*own);
    }
    for (ShipCtrlRWDial* dial : dials())
        dial->loadResources();
    hfDisplay_->createScene();
    courseReply(false);
    speedReply(false);
    depthReply(false);
    trim_ = 0;
    if (OwnShipEntity* own = worldOwnSubmarineWithMotion()) {
        courseDial_->setActual(own->ownMotion->heading);
        engineDial_->synchronise(own->ownMotion->engineOrder, true);
    }
}

std::array<ShipCtrlRWDial*, 6> ShipControl::dials() const {
    return {courseDial_.get(), engineDial_.get(), sternDial_.get(), bowDial_.get(), rudderDial_.get(), wheel_.get()};
}

// The dials follow the station's window, however the host shows it.
void ShipControl::onShow() {
    for (ShipCtrlRWDial* dial : dials())
        dial->show();
    const OwnShipEntity* own = worldOwnSubmarineWithMotion();
    showHfSonar(own && own->ownMotion->hfSonarOn);
}

void ShipControl::onHide() {
    for (ShipCtrlRWDial* dial : dials())
        dial->hide();
    hfDisplay_->hide();
}

void ShipControl::showHfSonar(bool on) {
    if (on)
        hfDisplay_->show();
    else
        hfDisplay_->hide();
}

int ShipControl::onKey(int key, int category) {
    if (category != 1 || (key != kKeyLeft && key != kKeyRight))
        return 0;
    courseDial_->stepOrdered(key == kKeyLeft ? -1 : 1);
    return 1;
}

void ShipControl::close() {
    background_.free();
    for (ButtonToggle* b : {hfSonar_.get(), snorkel_.get(), compressor_.get(), arraySelector_.get(),
                            static_cast<ButtonToggle*>(winch_.get()), static_cast<ButtonToggle*>(blowLever_.get()),
                            dive_.get()})
        b->freeResources();
    for (auto& r : readOuts_)
        r->freeResources();
    for (ShipCtrlRWDial* dial : dials()) {
        dial->hide();
        dial->freeResources();
    }
    hfDisplay_->hide();
    hfDisplay_->destroyScene();
}

void ShipControl::showWinch(OwnShipEntity& own) {
    OwnShipMotion& m = *own.ownMotion;
    winch_->setPosition(winchDetent(m.towedArrayOrder(m.selectedArray())));
}

int ShipControl::onCommand(WParam wParam, LParam lParam) {
    command(static_cast<int>(wParam & 0xFFFF), static_cast<int>(lParam));
    return 1;
}

void ShipControl::command(int id, int value) {
    OwnShipEntity* own = worldOwnSubmarineWithMotion();
    if (!own)
        return;
    OwnShipMotion& m = *own->ownMotion;
    switch (id) {
    case kHfSonar:
        showHfSonar(value == 1);
        m.hfSonarOn = m.hfSonarOn ? 0 : 1;
        break;
    case kSnorkel:
        snorkel(*own, value);
        break;
    case kOrderedDepth:
        m.setOrderedDepth(verticalOfDepthFeet(value));
        peersSendOrder(1, -static_cast<double>(value));
        depthReply(true);
        break;
    case kOrderedSpeed:
        m.setOrderedSpeed(value);
        peersSendOrder(0, value);
        speedReply(true);
        break;
    case kCompressor:
        m.setCompressor(value == 1 ? 1 : 0);
        stationSayChiefOfWatch(value == 1 ? "COWHPOn.wav" : "COWHPOff.wav");
        msgLogPrintfId(value == 1 ? 64 : 65);
        break;
    case kArraySelector:
        selectArray(*own, value);
        break;
    case kWinch:
        winch(*own, value);
        break;
    case kBlow:
        emergencyBlow(*own, value);
        break;
    case kCourse:
        m.setOrderedCourse(value);
        peersSendOrder(2, value);
        courseReply(true);
        break;
    case kTelegraph: {
        const HelmCall call = telegraphCall(value);
        msgLogPrintfId(call.text);
        stationSayHelm(call.sample);
        simAudio().playByName("dialsnd.WAV", false, true, false);
        speedReply(false);
        break;
    }
    case kDive:
        dive(*own, value);
        break;
    default:
        break;
    }
}

void ShipControl::snorkel(OwnShipEntity& own, int value) {
    OwnShipMotion& m = *own.ownMotion;
    const bool damaged = m.masts[kMastSnorkel].state == kDeviceBroken;
    if (value == 1) {
        m.setSnorkel(1);
        if (damaged) {
            stationSayChiefOfWatch("CowSnrkF.wav", -1);
            msgLogPrintfId(821);
        } else {
            msgLogPrintfId(289);
            stationSayChiefOfWatch("cow18.wav");
        }
        return;
    }
    if (damaged)
        return;
    m.setSnorkel(0);
    peersSendValue(7, 0);
    msgLogPrintfId(288);
    stationSayChiefOfWatch("cow20.wav");
}

void ShipControl::selectArray(OwnShipEntity& own, int value) {
    OwnShipMotion& m = *own.ownMotion;
    m.arraySelector = value == 1 ? 0 : 1;
    m.swapArrays();
    showWinch(own);
}

void ShipControl::winch(OwnShipEntity& own, int value) {
    OwnShipMotion& m = *own.ownMotion;
    const TowedArray array = m.selectedArray();
    const bool p = array == TowedArray::P;
    const bool fitted = m.towedArrayLength(array) != -1.0;
    switch (value) {
    case 0:
        m.towedArrayOrder(array) = 1.0;
        if (!fitted) {
            stationSayChiefOfWatch(p ? "CowPAryF.wav" : "CowSAryF.wav");
            msgLogPrintfId(p ? 273 : 274);
        } else {
            stationSayHelm(p ? "HlmStrmP.wav" : "HlmStrmS.wav");
            msgLogPrintfId(p ? 298 : 297);
        }
        break;
    case 1:
        m.towedArrayOrder(array) = 0.0;
        break;
    case 2:
        m.towedArrayOrder(array) = -1.0;
        if (fitted) {
            stationSayHelm(p ? "HlmRtrvP.wav" : "HlmRtrvS.wav");
            msgLogPrintfId(p ? 300 : 299);
        }
        break;
    default:
        msgLogPrintf("Stream = %d:Invalid", value);
        break;
    }
}

void ShipControl::emergencyBlow(OwnShipEntity& own, int value) {
    OwnShipMotion& m = *own.ownMotion;
    const bool on = value == 1;
    if (on) {
        if (m.airBank > 0.0) {
            if (blowSample_ == 0)
                blowSample_ = simAudio().loadSample("lowblow.wav");
            simAudio().playSample(blowSample_, false, true, false);
        }
        m.setEmergencyBlow(1);
        stationSayChiefOfWatch("COW11.wav", -1);
        peersSendValue(8, 1);
        m.setOrderedDepth(0.0);
    } else {
        m.setEmergencyBlow(0);
        stationSayChiefOfWatch("COW12.wav");
        peersSendValue(8, 0);
    }
    depthReply(false);
    msgLogPrintfId(on ? 71 : 72);
    m.blowLeverSet = m.blowLeverSet ? 0 : 1;
}

void ShipControl::dive(OwnShipEntity& own, int value) {
    OwnShipMotion& m = *own.ownMotion;
    if (value != 1) {
        m.setMode(0);
        return;
    }
    if (m.z > kDiveDepth) {
        m.setOrderedDepth(kDiveDepth);
        depthReply(false);
    }
    m.setMode(1);
}

void shipControlRegister() {
    stationRegisterMaker(kStationShipControl, makeStation<ShipControl>);
}

} // namespace q71
