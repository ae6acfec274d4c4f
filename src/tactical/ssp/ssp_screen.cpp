#include "tactical/ssp/ssp_screen.h"

#include "framework/app/reporter.h"
#include "framework/app/shell_fonts.h"
#include "framework/app/station_table.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/simple_button.h"
#include "media/audio/sound_manager.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/text_format.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_paint.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/simulation/world_step.h"

#include <cmath>
#include <cstdio>

namespace q71 {

namespace {

constexpr ColorRef kTrace = rgb(24, 248, 44);
constexpr ColorRef kTableText = rgb(24, 31, 41);
constexpr ColorRef kLayerLabelBack = rgb(24, 34, 44);
constexpr int kMissingText = 606;

SspScreen* live = nullptr;

void sspTimerFired(WindowHandle, std::uint32_t, std::uintptr_t, std::uint32_t) {
    if (live)
        live->tick();
}

std::string format(const char* pattern, int value) {
    char text[24];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

} // namespace

SspScreen::SspScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {
    const SspButtonRow& b = kSspLaunchButton;
    button_ = std::make_unique<SimpleButton>(window(), kSspLaunchId, b.x, b.y, b.width, b.height, b.bitmap,
                                             b.frames, SimpleButton::kPush, false);
    button_->setClickSound("pushbtn.wav", 1);
    if (textToolTipsEnabled()) {
        button_->setToolTip(textGetString(kSspLaunchTip));
        title_ = std::make_unique<HotSpot>(window(), 0, textGetString(kSspTitleText),
                                           BaseWidget::sharedCursor(), kSspTitleSpot, true);
    }
    live = this;
}

SspScreen::~SspScreen() {
    if (timerRunning_ && windowIsValid(window()))
        timerKill(window(), kSspTimer);
    if (live == this)
        live = nullptr;
}

SspScreen* sspScreen() {
    return live;
}

void SspScreen::buildProfile() {
    profile_ = simSoundProfileFor(missionState().soundProfileKind, worldBottomUnderOwnShip());
    layerDepth_ = profile_.layerDepth;
}

void SspScreen::open() {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(kSspGroup) || !background_.load(kSspBackground))
        reportFatal(textGetString(kMissingText), __LINE__, "ssp", 1);
    if (layerDepth_ == -1.0)
        buildProfile();
    button_->loadResources();
    timerRunning_ = false;
}

void SspScreen::close() {
    if (timerRunning_ && windowIsValid(window()))
        timerKill(window(), kSspTimer);
    timerRunning_ = false;
    button_->freeResources();
    background_.free();
}

void SspScreen::launch() {
    soundPlayByName("xbt.wav", 0, 1, 0);
    const Entity* own = worldOwnShip();
    const double z = own && own->motion ? own->motion->z : 0.0;
    buildProfile();
    drop_ = sspDrop(simClock().gameClock, z, profile_.bottomDepth);
    if (windowIsValid(window()))
        windowInvalidate(window(), nullptr, true);
}

int SspScreen::onCommand(WParam wParam, LParam) {
    if ((wParam & 0xFFFF) != kSspLaunchId)
        return 0;
    launch();
    return 1;
}

void SspScreen::paint(DeviceContext& dc) {
    SubScreen::paint(dc);
    drawGraph(dc);
    if (drop_.launched && simClock().gameClock < drop_.end && !timerRunning_ && windowIsValid(window())) {
        timerSet(window(), kSspTimer, 500, sspTimerFired);
        timerRunning_ = true;
    }
}

void SspScreen::tick() {
    // The whole window again, background first: the probe's line moves down and must not leave
    // its old places drawn.
    if (windowIsValid(window()))
        windowInvalidate(window(), nullptr, false);
    if (simClock().gameClock >= drop_.end && timerRunning_) {
        timerKill(window(), kSspTimer);
        timerRunning_ = false;
    }
}

void SspScreen::drawScale(DeviceContext& dc, int axisX, double fullScale) {
    dc.moveTo({axisX, kSspTop});
    dc.lineTo({axisX, kSspTop + kSspHeight});
    dc.setTextAlign(kTaLeft | kTaTop);
    const int half = dc.getTextExtent("0").cy / 2;
    for (int k = 0; - k * 100 * kFeetToMetres >= fullScale; ++k) {
        const int y = sspDepthY(-k * 100 * kFeetToMetres, fullScale);
        dc.moveTo({k % 10 == 0 ? axisX - 4 : axisX - 2, y});
        dc.lineTo({axisX, y});
        if (k % 10 == 0)
            dc.textOut({48, y - half}, format("%4d", k * 100));
    }
}

void SspScreen::drawTable(DeviceContext& dc, std::optional<double> probe) {
    dc.selectFont(appChartFont());
    dc.setTextColor(kTableText);
    dc.setBkMode(kTransparent);
    dc.setTextAlign(kTaLeft | kTaTop);
    dc.textOut({kSspTableColumns[0], kSspTableY}, "Depth (ft)");
    dc.textOut({kSspTableColumns[1], kSspTableY}, "Temp (F)");
    dc.textOut({kSspTableColumns[2], kSspTableY}, "Speed (ft/s)");
    if (!probe)
        return;
    const int h = dc.getTextExtent("Sp").cy;
    for (int k = 0; k < SoundProfile::kLevels && profile_.depth[static_cast<std::size_t>(k)] > *probe; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const int y = kSspTableY + h * (k + 1);
        dc.textOut({kSspTableColumns[0], y}, format("%d", sspFeet(profile_.depth[i])));
        dc.textOut({kSspTableColumns[1], y},
                   format("%d", std::abs(static_cast<int>(std::trunc(profile_.temperature[i])))));
        dc.textOut({kSspTableColumns[2], y},
                   format("%d", std::abs(static_cast<int>(std::trunc(profile_.speed[i] * 3.0)))));
    }
}

void SspScreen::drawGraph(DeviceContext& dc) {
    dc.selectFont(appScreenFont());
    const int w = dc.getTextExtent("3000").cx;
    const int axisX = w + 55;
    const double fullScale = sspFullScale(profile_.bottomDepth);
    dc.selectPen(createPen(PenStyle::Solid, 1, kTrace));
    dc.setTextColor(kTrace);
    dc.setBkMode(kTransparent);
    drawScale(dc, axisX, fullScale);
    const std::optional<double> probe = sspProbeDepth(simClock().gameClock, drop_, profile_.bottomDepth);
    if (probe) {
        for (int i = 0; i < SoundProfile::kLevels && profile_.depth[static_cast<std::size_t>(i)] >= *probe;
             ++i) {
            const auto k = static_cast<std::size_t>(i);
            const Point at{w + 155 +
                               static_cast<int>(std::trunc(2.5 * (profile_.speed[k] - profile_.speed[0]))),
                           sspDepthY(profile_.depth[k], fullScale)};
            if (i == 0)
                dc.moveTo(at);
            else
                dc.lineTo(at);
        }
        const int y = sspDepthY(*probe, fullScale);
        dc.moveTo({axisX, y});
        dc.lineTo({kSspLineRight, y});
    }
    if (sspLayerShown(profile_, probe)) {
        const int y = sspDepthY(profile_.layerDepth, fullScale);
        dc.selectPen(createPen(PenStyle::Dash, 1, kTrace));
        dc.moveTo({axisX, y});
        dc.lineTo({kSspLineRight, y});
        dc.setBkMode(kOpaque);
        dc.setBkColor(kLayerLabelBack);
        dc.textOut({w + 62, y - dc.getTextExtent("0").cy / 2}, format("%-d", sspFeet(profile_.layerDepth)));
    }
    drawTable(dc, probe);
}

void sspRegisterStation() {
    stationRegisterMaker(kStationSoundProfile, makeStation<SspScreen>);
}

} // namespace q71
