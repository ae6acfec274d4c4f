#include "stations/geninfo/gen_info.h"

#include "framework/app/reporter.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell_fonts.h"
#include "framework/app/station_table.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/bevel.h"
#include "framework/widgets/button_group.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/level_bar.h"
#include "framework/widgets/progress_dialog.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/text_box.h"
#include "framework/widgets/text_panel.h"
#include "media/audio/sound_manager.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/pen_brush.h"
#include "platform/resources/program_resources.h"
#include "platform/window/focus.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/services/front_end.h"
#include "sim/services/network_game.h"
#include "sim/services/sim_services.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "stations/geninfo/host_hooks.h"
#include "stations/geninfo/order_read_out.h"
#include "stations/geninfo/order_replies.h"
#include "stations/geninfo/peer_events.h"
#include "stations/geninfo/station_voice.h"
#include "tactical/rwutils/rw_explosions.h"

#include <cmath>

namespace q71 {
namespace {

constexpr const char* kSource = "GenInfo";
constexpr int kMissingText = 606;
constexpr int kPauseId = 14;
constexpr int kSpeedId = 22;
constexpr int kCourseId = 23;
constexpr int kDepthId = 24;
constexpr int kDownId = 30;
constexpr int kUpId = 31;
constexpr int kPlayerLeftId = 1106;
constexpr int kSteadyText = 177;
constexpr int kCompressionText = 54;
constexpr int kClockText = 55;
constexpr int kControlRoomOption = 23;
constexpr int kPopupOption = 22;
constexpr int kButtonWidth = 44;
constexpr int kButtonHeight = 40;

struct StationButton {
    const char* bitmap;
    int x, y, tip;
};
// By station index.
constexpr std::array<StationButton, GenInfo::kSlots> kStationButtons = {{
    {"X006Y115.bmp", 546, 115, 3},
    {"X050Y115.bmp", 590, 115, 10},
    {"X006Y156.bmp", 546, 156, 4},
    {"X050Y156.bmp", 590, 156, 11},
    {"X006Y197.bmp", 546, 197, 5},
    {"X050Y197.bmp", 590, 197, 12},
    {"X006Y238.bmp", 546, 238, 6},
    {"X050Y238.bmp", 590, 238, 13},
    {"X006Y279.bmp", 546, 279, 7},
    {"X050Y279.bmp", 590, 279, 14},
    {"X006Y320.bmp", 546, 320, 8},
    {"X050Y320.bmp", 590, 320, 15},
    {"X006Y360.bmp", 546, 360, 9},
    {"X050Y360.bmp", 590, 360, 16},
}};

struct BuildStep {
    int text, slot;
};
// The order the stations are built in behind the loading box.
constexpr std::array<BuildStep, GenInfo::kSlots> kBuildOrder = {{
    {320, kStationShipControl},
    {321, kStationSonar},
    {322, kStationPeriscope},
    {323, kStationTma},
    {324, kStationFireControl},
    {325, kStationVelms},
    {326, kStationNavigation},
    {327, kStationShipBooks},
    {328, kStationEntityViewer},
    {329, kStationControlRoom},
    {330, kStationRadar},
    {331, kStationStateroom},
    {332, kStationRadio},
    {333, kStationSoundProfile},
}};

// The stations the loss of the own boat locks.
constexpr std::array<int, 9> kLockedByLoss = {
    kStationShipControl, kStationSonar,      kStationRadar,      kStationTma,         kStationFireControl,
    kStationPeriscope,   kStationSoundProfile, kStationNavigation, kStationControlRoom};

GenInfo* g_host = nullptr;

[[noreturn]] void missing(int line) {
    reportFatal(textGetString(kMissingText), line, kSource, 0);
}

bool controlRoomOn() {
    return simFrontEnd().optionsField(kControlRoomOption) != 0;
}

} // namespace

GenInfo::GenInfo(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : FullScreen(key, parent, width, height, x, y) {
    g_host = this;
    auto progress = std::make_unique<ProgressDialog>(parent, false);
    progress->open(textCopy(kBuildOrder[0].text).c_str(), nullptr);
    simSetTimeCompression(1.0);
    buildStations(*progress);
    missionState().hostBuilt = true;
    currentChild_ = kStationShipControl;
    compressionFormat_ = textCopy(kCompressionText).substr(0, 20);
    clockFormat_ = textCopy(kClockText).substr(0, 20);
    buildPanels();
    if (LevelBar* bar = progress->levelBar())
        bar->setLevel(1.0);
    progress.reset();
    if (simFrontEnd().optionsField(kPopupOption) != 0)
        clockTip_ = std::make_unique<HotSpot>(window_, 0, textGetString(709), CursorHandle{},
                                              Rect{560, 5, 620, 14}, true, appChartFont());
    music_.start();
    soundUnloadAll();
}

GenInfo::~GenInfo() {
    close();
    if (g_host == this)
        g_host = nullptr;
    msgLogDetach();
}

void GenInfo::buildStations(ProgressDialog& progress) {
    setChildCount(kSlots);
    const bool controlRoom = controlRoomOn();
    for (std::size_t k = 0; k < kBuildOrder.size(); ++k) {
        const BuildStep& step = kBuildOrder[k];
        progress.setText(textCopy(step.text).c_str());
        if (step.text != 331 && step.text != 333)
            appPumpMessages();
        if (step.slot != kStationControlRoom || controlRoom)
            setChild(step.slot, stationCreate(step.slot, window_));
        if (LevelBar* bar = progress.levelBar())
            bar->setLevel(static_cast<double>(k + 1) / 15.0);
    }
}

// Every button gets its tip: whether tips pop up is the pop-up texts option's, which alone also
// decides whether the clock gets its hot spot (in the constructor).
void GenInfo::buildPanels() {
    clock_ = std::make_unique<TextPanel>(window_, 555, 17, 70, 10);
    clock_->setTextColour(0x00FF00);
    clock_->setBackgroundColour(0);
    clock_->setFont(appInterfaceFont(1));
    readOuts_[0] = std::make_unique<OrderReadOut>(window_, kSpeedId, 580, 40, 2);
    readOuts_[1] = std::make_unique<OrderReadOut>(window_, kCourseId, 575, 63, 3);
    readOuts_[1]->setDigitLimit(0, 3);
    readOuts_[2] = std::make_unique<OrderReadOut>(window_, kDepthId, 570, 86, 4);
    group_ = std::make_unique<ButtonGroup>(kSlots);
    for (int i = 0; i < kSlots; ++i) {
        const StationButton& b = kStationButtons[static_cast<std::size_t>(i)];
        auto button = std::make_unique<SimpleButton>(window_, i, b.x, b.y, kButtonWidth, kButtonHeight, b.bitmap,
                                                     3, SimpleButton::kToggle, false);
        button->setClickSound("geninfo.wav", 1);
        button->setToolTip(textGetString(b.tip), appChartFont());
        button->setState(2);
        group_->add(button.get());
        // A slot without a station keeps its button, disabled.
        if (!child(i))
            button->setEnabled(false);
        buttons_[static_cast<std::size_t>(i)] = std::move(button);
    }
    group_->selectIndex(0);
    pause_ = std::make_unique<SimpleButton>(window_, kPauseId, 540, 400, 100, 30, "X000Y400.bmp", 3,
                                            SimpleButton::kToggle, false);
    pause_->setClickSound("click.wav", 1);
    pause_->setState(2);
    // A network player's pause that came while the host was being built holds the button too.
    if (simPeerPaused())
        lockPause(1);
    pause_->setToolTip(textGetString(40), appChartFont());
    pattern_ = resourceLoadBitmap(106);
    down_ = std::make_unique<SimpleButton>(window_, kDownId, 552, 443, 16, 16, "arrowl.bmp", 2, SimpleButton::kPush,
                                           false);
    up_ = std::make_unique<SimpleButton>(window_, kUpId, 612, 443, 16, 16, "arrowr.bmp", 2, SimpleButton::kPush,
                                         false);
    down_->setToolTip(textGetString(52), appChartFont());
    up_->setToolTip(textGetString(53), appChartFont());
    compressionPanel_ = std::make_unique<TextPanel>(window_, 574, 444, 31, 14);
    compressionPanel_->setTextColour(0xFFFFFF);
    compressionPanel_->setBackgroundColour(0);
    compressionPanel_->setFont(appInterfaceFont(2));
    log_ = makeLogTextBox(window_, {23, 429, 23 + 494, 429 + 41}, pattern_, appChartFont(), 0xC8FFC8);
    msgLogSetTarget(true, log_.get());
}

SimpleButton& GenInfo::stationButton(int index) const {
    return *buttons_.at(static_cast<std::size_t>(index));
}

OrderReadOut& GenInfo::readOut(int id) const {
    return *readOuts_.at(static_cast<std::size_t>(id - kSpeedId));
}

void GenInfo::open() {
    rwInitExplosions();
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup("geninfo"))
        missing(__LINE__);
    // The right-hand column is the screen's background (the base paints through it), drawn at 540.
    if (!background_.load("scrn29.bmp"))
        missing(889);
    if (!bottom_.load("scrn29b.bmp"))
        missing(891);
    clock_->loadResources();
    for (auto& button : buttons_)
        button->loadResources();
    pause_->loadResources();
    compressionPanel_->loadResources();
    down_->loadResources();
    up_->loadResources();
    if (!grpOpenGroup("shared"))
        missing(__LINE__);
    for (auto& r : readOuts_)
        r->loadResources();
    log_->loadResources();
    if (engineVoice_ == 0)
        engineVoice_ = simAudio().playByName("engine.wav", true, false, true);
    cuesOn_ = true;
    shownMinute_ = -1;
    applyCompression();
}

void GenInfo::close() {
    rwFreeExplosions();
    background_.free();
    bottom_.free();
    if (clock_) {
        clock_->freeResources();
        for (auto& button : buttons_)
            button->freeResources();
        pause_->freeResources();
        compressionPanel_->freeResources();
        down_->freeResources();
        up_->freeResources();
        for (auto& r : readOuts_)
            r->freeResources();
        log_->freeResources();
    }
    freeEngineVoice();
    cuesOn_ = false;
    cues_.reset(simAudio());
}

void GenInfo::onShow() {
    FullScreen::onShow();
    focusSet(window_);
}

void GenInfo::freeEngineVoice() {
    if (engineVoice_ == 0)
        return;
    simAudio().stopVoice(engineVoice_);
    simAudio().freeVoice(engineVoice_);
    engineVoice_ = 0;
}

void GenInfo::paint(DeviceContext& dc) {
    if (!visible_)
        return;
    background_.draw(dc, 540, 0);
    bottom_.draw(dc, 0, 420);
    drawBevel(dc, stockPen(StockObject::BlackPen), stockPen(StockObject::WhitePen), 573, 443, 605, 458, 1, kBevelSunken);
}

bool GenInfo::stationOpen(int index) const {
    if (index < 0 || index >= kSlots || !child(index))
        return false;
    const auto& button = buttons_[static_cast<std::size_t>(index)];
    return button && button->isClickable();
}

void GenInfo::selectStation(int index) {
    if (!stationOpen(index))
        return;
    if (group_->selected() != index)
        group_->selectIndex(index);
    onCommand(static_cast<WParam>(index), 1);
}

void GenInfo::switchStation(int s) {
    if (!stationOpen(s))
        return;
    selectChild(s);
    if (compression_.switchTo(s))
        applyCompression();
}

void GenInfo::applyCompression() {
    const int level = compressionInForce(compression_.level(), simNetworkGame() != nullptr);
    simSetTimeCompression(level);
    char text[32];
    formatCheckedArgs(text, compressionFormat_.c_str(), level);
    compressionPanel_->setText(std::string_view(text));
}

int GenInfo::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    const int value = static_cast<int>(lParam);
    if (id >= 0 && id < kSlots) {
        switchStation(id);
        return 1;
    }
    switch (id) {
    case kPauseId:
        ownPause_ = value == 1;
        simPause(ownPause_);
        if (NetworkGame* game = simNetworkGame())
            game->sendControl(0, value == 1 ? 1 : 0);
        break;
    case kSpeedId:
        orderSpeed(value);
        break;
    case kCourseId:
        orderCourse(value);
        break;
    case kDepthId:
        orderDepth(value);
        break;
    case kDownId:
    case kUpId:
        if (compression_.step(id == kUpId ? 1 : -1))
            applyCompression();
        break;
    case kPlayerLeftId:
        playerLeft(value);
        break;
    default:
        break;
    }
    return 1;
}

namespace {

OrderReplies* replies(const GenInfo& host) {
    return dynamic_cast<OrderReplies*>(host.child(kStationShipControl));
}

} // namespace

void GenInfo::orderSpeed(int knots) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->motion)
        return;
    own->motion->setOrderedSpeed(knots);
    peersSendOrder(0, knots);
    readOuts_[0]->leaveOrderMode();
    refreshReadOuts(*own);
    if (OrderReplies* station = replies(*this))
        station->speedReply(true);
}

void GenInfo::orderCourse(int degrees) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->motion)
        return;
    double c = std::fmod(static_cast<double>(degrees), 360.0);
    if (c < 0.0)
        c += 360.0;
    own->motion->setOrderedCourse(c);
    peersSendOrder(2, c);
    readOuts_[1]->leaveOrderMode();
    refreshReadOuts(*own);
    if (OrderReplies* station = replies(*this))
        station->courseReply(true);
}

void GenInfo::orderDepth(int feet) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->motion)
        return;
    own->motion->setOrderedDepth(verticalOfDepthFeet(feet));
    peersSendOrder(1, -static_cast<double>(feet));
    readOuts_[2]->leaveOrderMode();
    refreshReadOuts(*own);
    if (OrderReplies* station = replies(*this))
        station->depthReply(true);
}

void GenInfo::playerLeft(int player) {
    if (!simNetworkGame())
        return;
    char line[256];
    if (player == 0)
        std::snprintf(line, sizeof line, "%s", builtinText(14));
    else
        formatCheckedArgs(line, builtinText(15), player);
    msgLogAddColoured(playerColour(player), line);
}

int GenInfo::onKey(int key, int category) {
    // Alt+letter climbs here from whatever child has the focus (the platform passes it up).
    if (category == 3 && key >= 'a' && key <= 'n') {
        selectStation(key - 'a');
        return 1;
    }
    SubScreen* station = child(currentChild_);
    if (!station)
        return 0;
    // A key that climbed from the station has been its already: it is not sent back to it.
    const WindowHandle focus = focusGet();
    if (focus == station->window() || windowIsChild(station->window(), focus))
        return 0;
    return station->onKey(key, category);
}

void GenInfo::showClock() {
    const long minute = static_cast<long>(simClock().timeOfDay / 60.0);
    if (minute == shownMinute_)
        return;
    shownMinute_ = minute;
    char text[32];
    formatCheckedArgs(text, clockFormat_.c_str(), static_cast<int>((minute / 60) % 24),
                      static_cast<int>(minute % 60));
    clock_->setText(std::string_view(text));
}

void GenInfo::refreshReadOuts(OwnShipEntity& own) {
    const MotionModel& m = *own.motion;
    readOuts_[0]->refresh(readOutWhole(std::fabs(m.speed)), readOutWhole(m.orderedSpeed));
    readOuts_[1]->refresh(readOutCourse(m.heading), readOutCourse(m.orderedCourse));
    readOuts_[2]->refresh(depthFeetOf(m.z), depthFeetOf(m.orderedDepth));
}

void GenInfo::reportSteadyCourse(OwnShipEntity& own) {
    const MotionModel& m = *own.motion;
    if (m.heading != m.orderedCourse) {
        steadyReported_ = false;
        return;
    }
    if (steadyReported_)
        return;
    const int course = static_cast<int>(m.orderedCourse);
    stationReportCourse(course, 2, 0);
    msgLogPrintfId(kSteadyText, course);
    steadyReported_ = true;
}

void GenInfo::stepEngineNoise(OwnShipEntity& own) {
    if (engineVoice_ == 0)
        return;
    const EngineNoise noise = engineNoiseAt(own.motion->driveSpeed);
    if (noise.on && engineSoundOn_) {
        simAudio().setVoiceVolume(engineVoice_, noise.volume);
        simAudio().setVoicePitch(engineVoice_, noise.rate);
        simAudio().startVoice(engineVoice_);
    } else {
        simAudio().stopVoice(engineVoice_);
    }
}

void GenInfo::update() {
    FullScreen::update();
    showClock();
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own || !own->motion)
        return;
    refreshReadOuts(*own);
    reportSteadyCourse(*own);
    stepEngineNoise(*own);
    if (cuesOn_ && own->ownMotion)
        cues_.step(simAudio(), *own->ownMotion, simClock().gameClock, timerTickCount());
}

void GenInfo::setEngineSound(bool on) {
    if (!on && engineVoice_ != 0)
        simAudio().stopVoice(engineVoice_);
    engineSoundOn_ = on;
}

void GenInfo::onOwnShipDestroyed() {
    const HostLossHooks& hooks = genInfoLossHooks();
    if (activeFullScreen() != this && hooks.commitOptions)
        hooks.commitOptions();
    if (!stationsLocked_) {
        selectStation(kStationEntityViewer);
        for (int slot : kLockedByLoss)
            buttons_[static_cast<std::size_t>(slot)]->setEnabled(false);
        stationsLocked_ = true;
    }
    if (hooks.lockStateroomSafe)
        hooks.lockStateroomSafe();
}

void GenInfo::lockPause(int lock) {
    if (lock == 1) {
        pause_->setState(1);
        pause_->setEnabled(false);
        return;
    }
    // Released, the button shows the player's own pause again, which may still hold (enabling
    // shows the up frame, so the state comes after).
    pause_->setEnabled(true);
    pause_->setState(ownPause_ ? 1 : 2);
}

void genInfoLockPause(int lock) {
    if (g_host)
        g_host->lockPause(lock);
}

} // namespace q71
