#include "tactical/radio/radio_room.h"

#include "framework/app/reporter.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell_fonts.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/covered_button.h"
#include "framework/widgets/detent_switch.h"
#include "framework/widgets/edit_box.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/read_out_strips.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/text_box.h"
#include "framework/widgets/text_panel.h"
#include "framework/widgets/widget_bitmap.h"
#include "media/audio/sound_manager.h"
#include "platform/controls/control_styles.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/radio/comms_queue.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_reader.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/radio/radio_chat.h"
#include "tactical/radio/radio_reception.h"
#include "tactical/radio/radio_station.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

RadioRoom* live = nullptr;

constexpr int kMissingText = 606;
constexpr const char* kSource = "radio";
constexpr int kSeparatorText = 347;
constexpr int kDelimiterText = 611;
constexpr double kFeetPerMetre = 3.2808398950131235;
constexpr int kIdleMs = 2000;
constexpr int kOpenMs = 200;
constexpr int kEsmMs = 100;
constexpr double kIdentifyEvery = 2.0;
constexpr int kDragRadiusSquared = 5042;
constexpr ColorRef kAmber = rgb(255, 212, 0);
constexpr ColorRef kWhite = rgb(255, 255, 255);
constexpr ColorRef kPointerEdge = rgb(128, 104, 12);
constexpr ColorRef kGrey = rgb(128, 128, 128);

std::int32_t effectiveMast(const OwnShipMotion& motion, int mast) {
    const TwoPositionDevice& device = motion.masts[static_cast<std::size_t>(mast)];
    return effectiveDeviceState(device.state, device.completionTime);
}

// The colour of a strength (0-15) on the dial: near black to orange.
ColorRef strengthColour(int index) {
    const double t = index / 15.0;
    return rgb(static_cast<int>(24 + 215 * t), static_cast<int>(33 + 90 * t), static_cast<int>(41 - 17 * t));
}

// The message box's background, from the room's group (none: the box stays plain).
std::shared_ptr<Bitmap> boxPattern() {
    grpSetFolder(graphicsInstallPath);
    WidgetBitmap pattern;
    if (!grpOpenGroup(kRadioGroup) || !pattern.load(kRadioPattern))
        return nullptr;
    return createDIBitmap(pattern.header(), pattern.bits());
}

} // namespace

RadioRoom* radioRoom() {
    return live;
}

RadioRoom::RadioRoom(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y), log_(textGetString(kSeparatorText)) {
    const bool network = simNetworkGame() != nullptr;
    buildControls(network);
    for (int i = 0; i < 16; ++i) {
        pens_[static_cast<std::size_t>(i)] = createPen(PenStyle::Solid, 1, strengthColour(i));
        brushes_[static_cast<std::size_t>(i)] = createSolidBrush(strengthColour(i));
    }
    if (windowIsValid(window()))
        timerSet(window(), kMessageTimer, kIdleMs);
    if (OwnShipEntity* own = worldOwnSubmarine())
        levels_ = q71::esmLevels(dynamic_cast<const ReceiverSensor*>(own->ownShipSensorByType(kSensorEsm)),
                                 simClock().gameClock);
    log_.setSink([this](const std::string& line, ColorRef colour) {
        textBox_->addLineColoured(line.c_str(), colour);
        textBox_->scrollToEnd();
    });
    fillLog();
    live = this;
}

RadioRoom::~RadioRoom() {
    if (windowIsValid(window())) {
        timerKill(window(), kMessageTimer);
        timerKill(window(), kEsmTimer);
    }
    if (tone_)
        soundFreeVoice(tone_);
    if (live == this)
        live = nullptr;
}

void RadioRoom::buildControls(bool network) {
    const auto button = [this](const StationControlRow& row, int kind, const char* sound, int tip) -> SimpleButton& {
        auto made = std::make_unique<SimpleButton>(window(), row.id, row.x, row.y, row.width, row.height, row.bitmap,
                                                   row.frames, kind, false);
        if (sound)
            made->setClickSound(sound, 1);
        if (tip >= 0) // always: only the label hot spots follow the text switch
            made->setToolTip(textGetString(tip));
        SimpleButton& held = *made;
        widgets_.push_back(std::move(made));
        return held;
    };
    const auto toggle = [this](const StationControlRow& row) -> ButtonToggle& {
        auto made = std::make_unique<ButtonToggle>(window(), row.id, row.bitmap, row.frames, row.x, row.y, row.width,
                                                   row.height, false);
        made->setClickSound("flpswtch.WAV", 1);
        ButtonToggle& held = *made;
        widgets_.push_back(std::move(made));
        return held;
    };
    auto cover = std::make_unique<CoveredButton>(window(), kRadioEndMission.id, kRadioEndMission.bitmap,
                                                 kRadioEndMission.frames, kRadioEndMission.x, kRadioEndMission.y,
                                                 kRadioEndMission.width, kRadioEndMission.height, false);
    cover->setClickSound("cvrbtn.WAV", 1);
    cover->setToolTip(textGetString(715));
    widgets_.push_back(std::move(cover));
    trafficLamp_ = &button(network ? kRadioTrafficLampNetwork : kRadioTrafficLamp, SimpleButton::kPush, nullptr, 466);
    trafficLamp_->setEnabled(false);

    auto wire = std::make_unique<DetentSwitch>(window(), kRadioWire.id, kRadioWire.bitmap, kRadioWire.x, kRadioWire.y,
                                               kRadioWire.width, kRadioWire.height, kRadioWire.frames, 300, 120, 3,
                                               false);
    wire->setLimits(kRadioWire.width / 2, kRadioWire.height / 2);
    wire->setClickSound("dialsnd.WAV", 1);
    wireSwitch_ = wire.get();
    widgets_.push_back(std::move(wire));
    antennaSwitch_ = &toggle(kRadioAntenna);
    esmSwitch_ = &toggle(kRadioEsmMast);
    button(kRadioEsmContact, SimpleButton::kPush, "litbtn.WAV", 713);
    for (std::size_t i = 0; i < lamps_.size(); ++i) {
        lamps_[i] = &button(kRadioEsmLamps[i], SimpleButton::kPush, nullptr, -1);
        lamps_[i]->setEnabled(false);
        lamps_[i]->setState(2);
    }
    if (OwnShipEntity* own = worldOwnSubmarineWithMotion()) {
        const OwnShipMotion& motion = *own->ownMotion;
        antennaOn_ = effectiveMast(motion, kMastRadio) == kDeviceRaised;
        esmOn_ = effectiveMast(motion, kMastEsm) == kDeviceRaised;
        wireSwitch_->setPosition(std::clamp(1 - motion.wireOrder, 0, 2));
    }
    antennaSwitch_->setState(antennaOn_ ? 2 : 1);
    esmSwitch_->setState(esmOn_ ? 2 : 1);

    const Rect box = network ? kRadioTextBoxNetwork : kRadioTextBox;
    textBox_ = std::make_unique<TextBox>(window(), box.left, box.top, box.width(), box.height(), boxPattern(),
                                         appScreenFont(), true,
                                         ScrollerLook{"", kRadioArrowUp, kRadioArrowDown, kRadioCaret, 16, 16, true, kRadioGroup});
    if (network) {
        chat_ = std::make_unique<EditBox>(window(), kRadioChatId, kRadioChatLine.left, kRadioChatLine.top,
                                          kRadioChatLine.width(), kRadioChatLine.height(), nullptr, appScreenFont(),
                                          true, ES_AUTOHSCROLL);
        chat_->setTextColour(kRadioColours[0]);
        button(kRadioSendChat, SimpleButton::kPush, "pushbtn.wav", 729);
    }
    wireReadOut_ = std::make_unique<LargeReadOut>(window(), 0, kRadioWireReadOut.x, kRadioWireReadOut.y, 4, false,
                                                  false);
    esmReadOut_ = std::make_unique<LargeReadOut>(window(), 0, kRadioEsmReadOut.x, kRadioEsmReadOut.y, 3, false, false);
    emitterName_ = std::make_unique<TextPanel>(window(), kEsmNamePanel.left, kEsmNamePanel.top, kEsmNamePanel.width(),
                                               kEsmNamePanel.height());
    emitterName_->setBackgroundColour(rgb(5, 9, 13));
    emitterName_->setTextColour(kAmber);
    emitterName_->setFont(appScreenFont());
    if (textToolTipsEnabled())
        for (const RadioLabel& label : kRadioLabels)
            hotSpots_.push_back(std::make_unique<HotSpot>(window(), 0, textGetString(label.text),
                                                          BaseWidget::sharedCursor(), label.rect, true));
}

void RadioRoom::fillLog() {
    if (missionState().loadedFromSave) {
        log_.restore(radioTakeRestoredLines());
        return;
    }
    radioTakeRestoredLines(); // lines of an earlier load do not belong to this mission
    const MissionTexts& texts = missionTexts();
    if (texts.tasking)
        if (auto tasking = commsQueueExpandText(*texts.tasking, 1))
            log_.appendMessage(*tasking, kRadioMissionKind);
    if (texts.intelligence)
        commsQueueAdd(*texts.intelligence, 1);
}

void RadioRoom::open() {
    if (opened_)
        return;
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(kRadioGroup) || !background_.load(kRadioBackground))
        reportFatal(textGetString(kMissingText), __LINE__, kSource, 1);
    for (auto& widget : widgets_)
        widget->loadResources();
    textBox_->loadResources();
    if (windowIsValid(window()))
        timerSet(window(), kEsmTimer, kEsmMs);
    grpOpenGroup("shared");
    wireReadOut_->loadResources();
    esmReadOut_->loadResources();
    emitterName_->loadResources();
    tone_ = soundPlayByName("esm.wav", 1, 1, 1);
    if (tone_)
        soundSetVoiceVolume(tone_, 0);
    face_ = Bitmap::createCompatible(kEsmDialSize, kEsmDialSize);
    dial_ = Bitmap::createCompatible(kEsmDialSize, kEsmDialSize);
    if (face_ && dial_) {
        faceDc_ = DeviceContext::createMemory();
        faceDc_->selectBitmap(face_);
        // The face is the background's, not what the window shows: a tool tip over the dial
        // would otherwise stay in it for the whole mission.
        background_.draw(*faceDc_, kEsmDialSize / 2 - kEsmDialCentre.x, kEsmDialSize / 2 - kEsmDialCentre.y);
        dialDc_ = DeviceContext::createMemory();
        dialDc_->selectBitmap(dial_);
    }
    opened_ = true;
    messagePass();
}

void RadioRoom::paint(DeviceContext& dc) {
    SubScreen::paint(dc);
    if (isVisible())
        drawDial(dc);
}

void RadioRoom::report(const char* wave, int priority, int text, bool radioOperator) {
    // Through the simulation's audio, like every crew report of a mission.
    const std::string file = wave;
    simAudio().crewQueueSpeech(radioOperator ? CrewChannel::radio : CrewChannel::chiefOfWatch, {&file, 1},
                               priority);
    msgLogAdd(textGetString(text));
}

void RadioRoom::messagePass() {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->ownMotion)
        return;
    const OwnShipMotion& motion = *own->ownMotion;
    const double rate = radioReceptionRate(RadioReceiver{antennaOn_ && effectiveMast(motion, kMastRadio) == kDeviceRaised,
                                                         motion.z, motion.wireLength, motion.speed});
    const bool unreachable = effectiveMast(motion, kMastRadio) == kDeviceBroken && motion.wireLength < 0.0;
    traffic_.pass(simClock().gameClock, rate, unreachable,
                  RadioTrafficHooks{[this](const std::string& message) {
                                        log_.appendMessage(message, kRadioMissionKind);
                                        log_.advanceColour();
                                    },
                                    [this](const char* wave, int priority, int text) {
                                        report(wave, priority, text, true);
                                    }});
    if (opened_)
        trafficLamp_->setState(traffic_.receiving() ? 1 : 2);
}

bool RadioRoom::esmActive() const {
    const OwnShipEntity* own = worldOwnSubmarine();
    return own && own->ownMotion && esmOn_ && effectiveMast(*own->ownMotion, kMastEsm) == kDeviceRaised;
}

void RadioRoom::esmUpdate() {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->ownMotion)
        return;
    const double clock = simClock().gameClock;
    levels_ = q71::esmLevels(dynamic_cast<const ReceiverSensor*>(own->ownShipSensorByType(kSensorEsm)), clock);
    const double wire = own->ownMotion->wireLength;
    wireReadOut_->setValue(wire < 0.0 ? 0 : static_cast<int>(std::lround(wire * kFeetPerMetre)));
    esmReadOut_->setValue(esmBearing_);
    const bool active = esmActive();
    const double level = levels_[static_cast<std::size_t>(esmBearing_)];
    const EsmSignal signal = active ? esmSignal(level) : EsmSignal{};
    litLamps_ = signal.lamps;
    for (std::size_t i = 0; i < lamps_.size(); ++i)
        lamps_[i]->setState(static_cast<int>(i) < litLamps_ ? 1 : 2);
    if (tone_)
        soundSetVoiceVolume(tone_, signal.volume);
    if (clock > identifiedAt_ + kIdentifyEvery) {
        const auto found = active ? esmIdentify(*own, esmBearing_, level) : std::nullopt;
        emitter_ = found.value_or(EsmEmitter{});
        emitterName_->setText(found ? std::optional<std::string_view>(emitter_.name) : std::nullopt);
        identifiedAt_ = clock;
    }
    showDial();
}

void RadioRoom::showDial() {
    if (!isVisible())
        return;
    if (auto dc = getWindowDC(window()))
        drawDial(*dc);
}

void RadioRoom::drawDial(DeviceContext& dc) {
    if (!faceDc_ || !dialDc_)
        return;
    DeviceContext& target = *dialDc_;
    bitBlt(target, 0, 0, kEsmDialSize, kEsmDialSize, faceDc_.get(), 0, 0, kSrcCopy);
    const bool active = esmActive();
    const Pen oldPen = target.pen();
    const Brush oldBrush = target.brush();
    if (active)
        for (const EsmFan& fan : esmFans(levels_)) {
            target.selectPen(pens_[static_cast<std::size_t>(fan.index)]);
            target.selectBrush(brushes_[static_cast<std::size_t>(fan.index)]);
            const std::vector<Point> polygon = esmFanPolygon(fan);
            target.polygon(polygon);
        }
    Brush fill = stockBrush(StockObject::NullBrush);
    if (active) {
        fill = createSolidBrush(emitter_.id >= 0 ? kWhite : kAmber);
    } else if (const OwnShipEntity* own = worldOwnSubmarine(); own && own->ownMotion && esmOn_ &&
                                                      effectiveMast(*own->ownMotion, kMastEsm) == kDeviceLowered &&
                                                      (timerTickCount() / 500) % 2 == 0) {
        fill = createSolidBrush(kAmber); // switched on, mast still coming up: the pointer blinks
    }
    target.selectBrush(fill);
    target.selectPen(createPen(PenStyle::Solid, 1, active && emitter_.id >= 0 ? kGrey : kPointerEdge));
    const auto pointer = esmPointer(esmBearing_);
    target.polygon(pointer);
    target.selectPen(oldPen);
    target.selectBrush(oldBrush);
    bitBlt(dc, kEsmDialCentre.x - kEsmDialSize / 2, kEsmDialCentre.y - kEsmDialSize / 2, kEsmDialSize, kEsmDialSize,
           &target, 0, 0, kSrcCopy);
}

void RadioRoom::pointEsmAt(int x, int y) {
    const int bearing = esmBearingAt(x - kEsmDialCentre.x, y - kEsmDialCentre.y);
    if (bearing == esmBearing_)
        return;
    esmBearing_ = bearing;
    emitterName_->setText(std::nullopt);
    emitter_ = EsmEmitter{};
    identifiedAt_ = simClock().gameClock;
    showDial();
}

int RadioRoom::onCommand(WParam wParam, LParam lParam) {
    command(static_cast<int>(wParam & 0xFFFF), static_cast<int>(lParam));
    return 1;
}

int RadioRoom::onKey(int key, int category) {
    if (key == '\r' && category == 0 && chat_) {
        command(kRadioChatId, 13);
        return 1;
    }
    return SubScreen::onKey(key, category);
}

void RadioRoom::command(int id, int value) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->ownMotion)
        return;
    switch (id) {
    case kRadioEndMission.id:
        if (value == 1)
            screenShowDebrief();
        break;
    case kRadioWire.id:
        setWire(value);
        break;
    case kRadioAntenna.id:
        setMast(kMastRadio, value == 2);
        break;
    case kRadioEsmMast.id:
        setMast(kMastEsm, value == 2);
        break;
    case kRadioEsmContact.id:
        if (emitter_.id >= 0)
            own->registerContact(kSensorEsm, emitter_.id, esmBearing_, 10000.0, -1.0, -1.0, 95);
        break;
    case kRadioChatId:
        if (value == 13)
            sendChat();
        break;
    case kRadioSendChat.id:
        sendChat();
        break;
    default:
        break;
    }
}

void RadioRoom::setWire(int position) {
    OwnShipMotion& motion = *worldOwnSubmarine()->ownMotion;
    if (position == 0) {
        if (motion.wireLength == -1.0 || motion.wireLength < 0.0) {
            report("COWFwCut.wav", -1, 783, false);
            return;
        }
        report("COWDpAnt.wav", -1, 275, false);
        motion.wireOrder = 1;
    } else if (position == 1) {
        motion.wireOrder = 0;
    } else if (position == 2 && motion.wireLength >= 0.0) {
        report("COWRtAnt.wav", -1, 276, false);
        motion.wireOrder = -1;
    }
}

void RadioRoom::setMast(int mast, bool raise) {
    OwnShipMotion& motion = *worldOwnSubmarine()->ownMotion;
    const bool antenna = mast == kMastRadio;
    const bool failed = effectiveMast(motion, mast) == kDeviceBroken;
    bool& switched = antenna ? antennaOn_ : esmOn_;
    if (raise && failed) {
        report(antenna ? "COWRdoAF.wav" : "COWEsmFl.wav", -1, antenna ? 272 : 270, false);
    } else if (raise) {
        report(antenna ? "COWAntUp.wav" : "COWEsmUp.wav", -1, antenna ? 280 : 278, false);
        switched = true;
        motion.orderMast(static_cast<Mast>(mast), true);
    } else if (!failed) {
        report(antenna ? "COWAntDn.wav" : "COWEsmDn.wav", -1, antenna ? 281 : 279, false);
        switched = false;
        motion.orderMast(static_cast<Mast>(mast), false);
    }
}

void RadioRoom::sendChat() {
    NetworkGame* game = simNetworkGame();
    if (!game || !chat_)
        return;
    for (const std::string& piece : chatPieces(chat_->getText(), textGetString(kDelimiterText)))
        game->sendChat(piece);
    chat_->setText("");
}

LResult RadioRoom::handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    const int x = pointXFromLParam(lParam), y = pointYFromLParam(lParam);
    const int dx = x - kEsmDialCentre.x, dy = y - kEsmDialCentre.y;
    switch (message) {
    case WM_TIMER:
        if (wParam == kEsmTimer) {
            esmUpdate();
            return 0;
        }
        if (wParam == kMessageTimer) {
            messagePass();
            timerSet(window, kMessageTimer, opened_ ? kOpenMs : kIdleMs);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (dx * dx + dy * dy <= kDragRadiusSquared) {
            dragging_ = true;
            captureSet(window);
            lastDragClock_ = simClock().gameClock;
            pointEsmAt(x, y);
        }
        break;
    case WM_MOUSEMOVE:
        if (dragging_ && simClock().gameClock != lastDragClock_) {
            lastDragClock_ = simClock().gameClock;
            pointEsmAt(x, y);
        }
        break;
    case WM_LBUTTONUP:
        if (dragging_) {
            dragging_ = false;
            captureRelease();
        }
        break;
    default:
        break;
    }
    return SubScreen::handleMessage(window, message, wParam, lParam);
}

} // namespace q71
