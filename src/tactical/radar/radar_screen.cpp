#include "tactical/radar/radar_screen.h"

#include "framework/app/reporter.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/detent_switch.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/read_out_strips.h"
#include "framework/widgets/simple_button.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/radar_sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/terrain_world.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace q71 {
namespace {

RadarScreen* live = nullptr;

constexpr int kMissingText = 606;
constexpr const char* kSource = "Radar";
constexpr int kTickMs = 150;
constexpr int kTagTip = 713;
constexpr int kMastFailedText = 271;
constexpr int kMastUpText = 786;
constexpr int kMastDownText = 787;
constexpr std::int16_t kRadiating = 15;
constexpr std::int16_t kSilent = -1;
constexpr std::uint8_t kRadarResponseLevel = 90;

void tickProc(WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t) {
    if (live)
        live->tick();
}

[[noreturn]] void missing(int line) {
    reportFatal(textGetString(kMissingText), line, kSource, 1);
}

// The chief of the watch answers through the simulation's audio, like every crew report of a mission.
void chiefOfWatchSays(const char* wave) {
    const std::string file = wave;
    simAudio().crewQueueSpeech(CrewChannel::chiefOfWatch, {&file, 1}, -1);
}

ColorRef levelRgb(int level) {
    const RgbQuad c = radarLevelColour(level);
    return rgb(c.red, c.green, c.blue);
}

bool terrainHeight(double x, double y, double* height) {
    return worldDepthAt(x, y, height, true);
}

} // namespace

RgbQuad radarLevelColour(int level) {
    const int i = scopeLevel(level);
    return {41, static_cast<std::uint8_t>(33 + 95 * i / 64), static_cast<std::uint8_t>(24 + 230 * i / 64), 0};
}

RadarScreen::RadarScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {
    buildControls();
    if (OwnShipEntity* own = worldOwnSubmarineWithMotion()) {
        const OwnShipMotion& motion = *own->ownMotion;
        const TwoPositionDevice& mast = motion.masts[kMastRadar];
        mastSwitch_->setState(effectiveDeviceState(mast.state, mast.completionTime) == kDeviceRaised ? 2 : 1);
        ringsSwitch_->setState(motion.radarRingsOn ? 2 : 1);
        // A saved mission may hold anything: an index outside the tables keeps the defaults.
        scope_.rangeIndex = radarValidIndex(motion.radarRangeScale, scope_.rangeIndex);
        scope_.spacingIndex = radarValidIndex(motion.radarRingSpacing, scope_.spacingIndex);
    }
    scope_.cursor = RadarCursor{};
    live = this;
}

RadarScreen::~RadarScreen() {
    if (timerRunning_ && windowIsValid(window()))
        timerKill(window(), kTickTimer);
    if (live == this)
        live = nullptr;
}

void RadarScreen::buildControls() {
    auto tag = std::make_unique<SimpleButton>(window(), kRadarTag.id, kRadarTag.x, kRadarTag.y, kRadarTag.width,
                                              kRadarTag.height, kRadarTag.bitmap, kRadarTag.frames,
                                              SimpleButton::kPush, false);
    tag->setClickSound("litbtn.WAV", 1);
    tag->setToolTip(textGetString(kTagTip)); // always: only the label hot spots follow the text switch
    widgets_.push_back(std::move(tag));
    for (const StationControlRow* row : {&kRadarMast, &kRadarRings}) {
        auto toggle = std::make_unique<ButtonToggle>(window(), row->id, row->bitmap, row->frames, row->x, row->y,
                                                     row->width, row->height, false);
        toggle->setClickSound("flpswtch.WAV", 1);
        (row == &kRadarMast ? mastSwitch_ : ringsSwitch_) = toggle.get();
        widgets_.push_back(std::move(toggle));
    }
    const struct {
        const StationControlRow& row;
        Point limits;
        DetentSwitch*& held;
    } knobs[] = {{kRadarRange, {49, 38}, rangeKnob_}, {kRadarSpacing, {59, 40}, spacingKnob_}};
    for (const auto& knob : knobs) {
        auto detent = std::make_unique<DetentSwitch>(window(), knob.row.id, knob.row.bitmap, knob.row.x, knob.row.y,
                                                     knob.row.width, knob.row.height, knob.row.frames, 270, 180,
                                                     kRadarIndexCount, false);
        detent->setLimits(knob.limits.x, knob.limits.y);
        detent->setClickSound("dialsnd.WAV", 1);
        knob.held = detent.get();
        widgets_.push_back(std::move(detent));
    }
    bearingReadOut_ =
        std::make_unique<LargeReadOut>(window(), 0, kRadarBearingReadOut.x, kRadarBearingReadOut.y, 3, false, false);
    rangeReadOut_ =
        std::make_unique<LargeReadOut>(window(), 0, kRadarRangeReadOut.x, kRadarRangeReadOut.y, 5, false, false);
    if (textToolTipsEnabled())
        for (const RadarLabel& label : kRadarLabels)
            hotSpots_.push_back(std::make_unique<HotSpot>(window(), 0, textGetString(label.text),
                                                          BaseWidget::sharedCursor(), label.rect, true));
}

Sensor* RadarScreen::radar() const {
    Entity* own = worldOwnShip();
    return own ? own->findSensorByType(kSensorRadar) : nullptr;
}

void RadarScreen::ensureRadar() {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || radar())
        return;
    auto* sensor = new RadarSensor(*own, 1.0f);
    // A loaded mission may have the mast up already: its radar radiates at once.
    const TwoPositionDevice& mast = own->ownMotion->masts[kMastRadar];
    sensor->transmitInterval = mast.state == kDeviceRaised ? kRadiating : kSilent;
    sensor->setResponse(60000.0, 60001.0, kRadarResponseLevel, kRadarResponseLevel, 0.0, 0.0, 0, 0, 0.0, 0.0, 0, 0);
    own->addSensor(sensor);
}

void RadarScreen::open() {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(kRadarGroup) || !background_.load(kRadarBackground))
        missing(__LINE__);
    if (!lamp_.load(kRadarLamp.bitmap))
        missing(__LINE__);
    for (auto& widget : widgets_)
        widget->loadResources();
    if (OwnShipEntity* own = worldOwnSubmarineWithMotion()) {
        const TwoPositionDevice& mast = own->ownMotion->masts[kMastRadar];
        lampFrame_ = effectiveDeviceState(mast.state, mast.completionTime) == kDeviceRaised ? kLampLit : kLampDark;
    }
    rangeKnob_->setPosition(scope_.rangeIndex);
    spacingKnob_->setPosition(scope_.spacingIndex);
    scope_.sweep.setAngle(radarSweepAngle(simClock().gameClock));
    scope_.clear();
    grpOpenGroup("shared");
    bearingReadOut_->loadResources();
    rangeReadOut_->loadResources();
    bearingReadOut_->setValue(static_cast<int>(scope_.cursor.bearing));
    rangeReadOut_->setValue(static_cast<int>(scope_.cursor.range));
    clip_ = Region::polygon(kRadarScopeWindow, PolygonFillMode::Winding);
    ensureRadar();
}

void RadarScreen::close() {
    if (timerRunning_ && windowIsValid(window()))
        timerKill(window(), kTickTimer);
    timerRunning_ = false;
    background_.free();
    lamp_.free();
    for (auto& widget : widgets_)
        widget->freeResources();
    bearingReadOut_->freeResources();
    rangeReadOut_->freeResources();
    dib_ = LevelDib{};
    composedDc_.reset();
    composed_.reset();
}

bool RadarScreen::ensurePicture() {
    if (dib_.valid() && composedDc_)
        return true;
    std::array<RgbQuad, kScopeTopLevel + 1> ramp{};
    for (int i = 0; i <= kScopeTopLevel; ++i)
        ramp[static_cast<std::size_t>(i)] = radarLevelColour(i);
    if (!dib_.create(kScopeSize, kScopeSize, ramp))
        return false;
    composed_ = Bitmap::createCompatible(kScopeSize, kScopeSize);
    if (!composed_)
        return false;
    composedDc_ = DeviceContext::createMemory();
    composedDc_->selectBitmap(composed_);
    return true;
}

void RadarScreen::paint(DeviceContext& dc) {
    SubScreen::paint(dc);
    if (!isVisible())
        return;
    shownLamp_ = 0;
    drawLamp(dc);
    if (ensurePicture())
        showOverlay(dc);
    if (!timerRunning_ && windowIsValid(window())) {
        timerSet(window(), kTickTimer, kTickMs, tickProc);
        timerRunning_ = true;
    }
}

void RadarScreen::drawLamp(DeviceContext& dc) const {
    const Rect at{kRadarLamp.x, kRadarLamp.y, kRadarLamp.x + kRadarLamp.width, kRadarLamp.y + kRadarLamp.height};
    dc.intersectClipRect(at);
    lamp_.draw(dc, kRadarLamp.x, kRadarLamp.y - (lampFrame_ == kLampLit ? 0 : kRadarLamp.height));
    dc.selectClipRegion(nullptr);
}

void RadarScreen::showLamp(int frame) {
    lampFrame_ = frame;
    if (frame == shownLamp_ || !isVisible())
        return;
    shownLamp_ = frame;
    if (auto dc = getWindowDC(window()))
        drawLamp(*dc);
}

void RadarScreen::tick() {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->ownMotion)
        return;
    const double clock = simClock().gameClock;
    Sensor* sensor = radar();
    if (sensor)
        sensor->copyOwnerPose();
    const int frame = scope_.tick(clock, *own->ownMotion, terrainHeight, static_cast<int>(simClock().seaState),
                                  [sensor](Entity& painted) {
                                      if (sensor)
                                          sensor->scanList(painted);
                                  });
    showLamp(frame);
    overlay();
}

void RadarScreen::overlay() {
    if (!isVisible() || !ensurePicture())
        return;
    if (auto dc = getWindowDC(window()))
        showOverlay(*dc);
}

void RadarScreen::showOverlay(DeviceContext& dc) {
    for (int y = 0; y < kScopeSize; ++y) {
        const auto from = scope_.picture.row(y);
        std::copy(from.begin(), from.end(), dib_.row(y).begin());
    }
    DeviceContext& target = *composedDc_;
    bitBlt(target, 0, 0, kScopeSize, kScopeSize, dib_.dc(), 0, 0, kSrcCopy);
    const Pen pen = createPen(PenStyle::Solid, 1, levelRgb(kScopeTopLevel));
    const Pen oldPen = target.selectPen(pen);
    const Brush oldBrush = target.selectBrush(stockBrush(StockObject::NullBrush));
    const int scale = scope_.rangeScale();
    if (OwnShipEntity* own = worldOwnSubmarineWithMotion(); own && own->ownMotion->radarRingsOn) {
        const int spacing = scope_.ringSpacing();
        for (int i = 1; i <= scale / spacing; ++i) {
            const int r = i * spacing * kScopeRadius / scale;
            target.ellipse({kScopeCentre - r, kScopeCentre - r, kScopeCentre + r, kScopeCentre + r});
        }
    }
    constexpr double kDegrees = std::numbers::pi / 180.0;
    const double s = std::sin(scope_.cursor.bearing * kDegrees), c = std::cos(scope_.cursor.bearing * kDegrees);
    const double r = scope_.cursor.range * kScopeRadius / scale;
    const int cx = kScopeCentre + static_cast<int>(r * s), cy = kScopeCentre - static_cast<int>(r * c);
    target.ellipse({cx - 5, cy - 5, cx + 5, cy + 5});
    target.moveTo({kScopeCentre, kScopeCentre});
    target.lineTo({kScopeCentre + static_cast<int>(kScopeRadius * s), kScopeCentre - static_cast<int>(kScopeRadius * c)});
    target.selectPen(oldPen);
    target.selectBrush(oldBrush);
    dc.selectClipRegion(&clip_);
    bitBlt(dc, kRadarPictureAt.x, kRadarPictureAt.y, kScopeSize, kScopeSize, &target, 0, 0, kSrcCopy);
    dc.selectClipRegion(nullptr);
}

int RadarScreen::onCommand(WParam wParam, LParam lParam) {
    command(static_cast<int>(wParam & 0xFFFF), static_cast<int>(lParam));
    return 1;
}

void RadarScreen::command(int id, int value) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->ownMotion)
        return;
    OwnShipMotion& motion = *own->ownMotion;
    switch (id) {
    case kRadarTag.id:
        tag();
        break;
    case kRadarMast.id:
        setMast(value == 2);
        break;
    case kRadarRings.id:
        motion.radarRingsOn = motion.radarRingsOn ? 0 : 1;
        break;
    case kRadarRange.id:
        scope_.rangeIndex = radarValidIndex(value, scope_.rangeIndex);
        motion.radarRangeScale = scope_.rangeIndex;
        scope_.clear();
        break;
    case kRadarSpacing.id:
        scope_.spacingIndex = radarValidIndex(value, scope_.spacingIndex);
        motion.radarRingSpacing = scope_.spacingIndex;
        break;
    default:
        break;
    }
}

void RadarScreen::setMast(bool raise) {
    OwnShipEntity& own = *worldOwnSubmarine();
    OwnShipMotion& motion = *own.ownMotion;
    const TwoPositionDevice& mast = motion.masts[kMastRadar];
    const bool failed = effectiveDeviceState(mast.state, mast.completionTime) == kDeviceBroken;
    Sensor* sensor = radar();
    if (raise && failed) {
        chiefOfWatchSays("CowRdrMF.wav");
        msgLogAdd(textGetString(kMastFailedText));
    } else if (raise) {
        chiefOfWatchSays("CowRdrUp.wav");
        msgLogAdd(textGetString(kMastUpText));
        motion.orderMast(kMastRadar, true);
        if (sensor)
            sensor->transmitInterval = kRadiating;
    } else if (!failed) {
        chiefOfWatchSays("CowRdrDn.wav");
        msgLogAdd(textGetString(kMastDownText));
        motion.orderMast(kMastRadar, false);
        if (sensor)
            sensor->transmitInterval = kSilent;
    }
    scope_.clear();
}

void RadarScreen::tag() {
    OwnShipEntity& own = *worldOwnSubmarine();
    const TwoPositionDevice& mast = own.ownMotion->masts[kMastRadar];
    if (effectiveDeviceState(mast.state, mast.completionTime) != kDeviceRaised)
        return;
    const RadarBlip* blip = scope_.blips.nearest(scope_.cursor.bearing, scope_.cursor.range);
    own.registerContact(kSensorRadar, blip ? blip->entityId : 0, scope_.cursor.bearing, scope_.cursor.range, -1.0,
                        -1.0, 95);
}

void RadarScreen::moveCursor(int x, int y) {
    const double clock = simClock().gameClock;
    if (clock == lastMoveClock_)
        return;
    const auto cursor = radarCursorAt(x, y, scope_.rangeScale());
    if (!cursor)
        return;
    lastMoveClock_ = clock;
    scope_.cursor = *cursor;
    bearingReadOut_->setValue(static_cast<int>(cursor->bearing));
    rangeReadOut_->setValue(static_cast<int>(cursor->range));
    overlay();
}

LResult RadarScreen::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    const int x = pointXFromLParam(lParam), y = pointYFromLParam(lParam);
    if (message == WM_LBUTTONDOWN) {
        buttonDown_ = true;
        lastMoveClock_ = -1.0;
        moveCursor(x, y);
    } else if (message == WM_LBUTTONUP) {
        buttonDown_ = false;
    } else if (message == WM_MOUSEMOVE && buttonDown_) {
        moveCursor(x, y);
    }
    return SubScreen::handleMessage(window, message, wParam, lParam);
}

} // namespace q71
