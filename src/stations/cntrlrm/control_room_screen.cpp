#include "stations/cntrlrm/control_room_screen.h"

#include "framework/app/reporter.h"
#include "framework/app/station_table.h"
#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/dib_format.h"
#include "platform/window/window.h"
#include "platform/window/window_paint.h"
#include "stations/cntrlrm/control_room_host.h"
#include "stations/cntrlrm/control_room_view.h"
#include "stations/cntrlrm/room_stations.h"

#include <algorithm>

namespace q71 {
namespace {

constexpr const char* kClickSound = "pushbtn.wav";

[[noreturn]] void missing(int line) {
    reportFatal(textGetString(kRoomMissingText), line, kRoomFatalSource, 1);
}

std::unique_ptr<SimpleButton> makeButton(WindowHandle window, const RoomButtonRow& row) {
    auto button = std::make_unique<SimpleButton>(window, row.id, row.x, row.y, row.width, row.height,
                                                 row.bitmap, row.frames, SimpleButton::kPush, false);
    button->setClickSound(kClickSound, 1);
    return button;
}

} // namespace

ControlRoomScreen::ControlRoomScreen(std::string_view key, WindowHandle parent, int width, int height, int x,
                                     int y)
    : SubScreen(key, parent, width, height, x, y), ownHost_(controlRoomHostOf(parent)), host_(*ownHost_) {
    build();
}

ControlRoomScreen::ControlRoomScreen(std::string_view key, WindowHandle parent, int width, int height, int x,
                                     int y, ControlRoomHost& host)
    : SubScreen(key, parent, width, height, x, y), host_(host) {
    build();
}

ControlRoomScreen::~ControlRoomScreen() = default;

void ControlRoomScreen::build() {
    for (std::size_t i = 0; i < stationButtons_.size(); ++i)
        stationButtons_[i] = makeButton(window(), kRoomStationButtons[i]);
    for (std::size_t i = 0; i < arrows_.size(); ++i)
        arrows_[i] = makeButton(window(), kRoomArrowButtons[i]);
    view_ = std::make_unique<ControlRoomView>(window(), host_);
    // The view stands where the plan marks the player from the start.
    view_->setCamera(kRoomViewpoints[static_cast<std::size_t>(walk_.current())].camera, walk_.current());
}

void ControlRoomScreen::open() {
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(kRoomGroup))
        missing(kRoomLineGroup);
    if (!background_.load(kRoomBackground))
        missing(kRoomLineBackground);
    if (!marker_.load(kRoomMarker) || !dibParseInfo(marker_.header()))
        missing(kRoomLineMarker);
    for (std::size_t i = 0; i < stationButtons_.size(); ++i) {
        SimpleButton& button = *stationButtons_[i];
        button.loadResources();
        button.setEnabled(host_.stationOpen(roomCommandStation(kRoomStationButtons[i].id)));
        button.setState(static_cast<int>(i) == walk_.marked() ? 1 : 2);
    }
    for (const auto& arrow : arrows_)
        arrow->loadResources();
    view_->createScene();
    view_->requestFrame();
}

void ControlRoomScreen::close() {
    marker_.free();
    background_.free();
    for (const auto& button : stationButtons_)
        button->freeResources();
    for (const auto& arrow : arrows_)
        arrow->freeResources();
    view_->destroyScene();
}

void ControlRoomScreen::onShow() {
    view_->show();
}

void ControlRoomScreen::onHide() {
    view_->hide();
}

int ControlRoomScreen::onCommand(WParam wParam, LParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    if (const int station = roomCommandStation(id); station >= 0) {
        if (host_.stationOpen(station))
            host_.selectStation(station);
        return 1;
    }
    if (id == kRoomPreviousCommand || id == kRoomNextCommand) {
        walk_.start(id == kRoomPreviousCommand ? -1 : 1);
        return 1;
    }
    return 0;
}

void ControlRoomScreen::update() {
    SubScreen::update();
    if (walk_.moving()) {
        view_->setCamera(walk_.step(), walk_.current());
        if (!walk_.moving())
            arrive();
        view_->takeFrameRequest();
        view_->render();
    } else if (view_->takeFrameRequest()) {
        view_->render();
    }
}

void ControlRoomScreen::arrive() {
    stationButtons_[static_cast<std::size_t>(walk_.marked())]->setState(2);
    walk_.markCurrent();
    stationButtons_[static_cast<std::size_t>(walk_.marked())]->setState(1);
    if (!windowIsValid(window()))
        return;
    const auto format = dibParseInfo(marker_.header());
    if (!format) {
        windowInvalidate(window(), nullptr, false);
        return;
    }
    Rect plan{kRoomViewpoints[0].planX, kRoomViewpoints[0].planY, kRoomViewpoints[0].planX,
              kRoomViewpoints[0].planY};
    for (const RoomViewpoint& v : kRoomViewpoints)
        plan = {std::min(plan.left, v.planX), std::min(plan.top, v.planY), std::max(plan.right, v.planX),
                std::max(plan.bottom, v.planY)};
    plan.right += format->width;
    plan.bottom += (format->height - 1) / 2;
    windowInvalidate(window(), &plan, false);
}

int ControlRoomScreen::markerSourceY(int viewpoint) const {
    const auto format = dibParseInfo(marker_.header());
    if (!format || viewpoint == walk_.marked())
        return 0;
    return (format->height - 1) / 2 + 1;
}

void ControlRoomScreen::drawMarkers(DeviceContext& dc) const {
    const auto format = dibParseInfo(marker_.header());
    if (!format)
        return;
    const int rows = (format->height - 1) / 2;
    for (int i = 0; i < kRoomViewpointCount; ++i) {
        const RoomViewpoint& v = kRoomViewpoints[static_cast<std::size_t>(i)];
        setDIBitsToDevice(dc, v.planX, v.planY, format->width, rows, 0, markerSourceY(i), 0, format->height,
                          marker_.bits(), marker_.header());
    }
}

void ControlRoomScreen::paint(DeviceContext& dc) {
    SubScreen::paint(dc);
    view_->requestFrame();
    drawMarkers(dc);
}

void controlRoomRegisterStation() {
    stationRegisterMaker(kStationControlRoom, makeStation<ControlRoomScreen>);
}

} // namespace q71
