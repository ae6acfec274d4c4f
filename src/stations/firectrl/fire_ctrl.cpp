#include "stations/firectrl/fire_ctrl.h"

#include "framework/app/station_table.h"
#include "stations/firectrl/fire_control_stations.h"
#include "stations/firectrl/fire_display.h"
#include "stations/firectrl/fire_layout.h"
#include "stations/firectrl/fire_panel.h"
#include "stations/firectrl/load_out_screen.h"

namespace q71 {
namespace {

FireCtrl* liveScreen = nullptr;

int pageOfCommand(int id) {
    switch (id) {
    case kFireCmdDisplay:
        return FireCtrl::kDisplayPage;
    case kFireCmdLoadOut:
        return FireCtrl::kLoadOutPage;
    case kFireCmdPanel:
    case kFireCmdLoadOutBack:
        return FireCtrl::kPanelPage;
    default:
        return -1;
    }
}

} // namespace

FireCtrl::FireCtrl(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {
    // The fire panel turns the switch on as it is built.
    fireControlStations().setFireGuidanceSwitch(false);
    setPageCount(3);
    setPage(kPanelPage, std::make_unique<FirePanel>(window()));
    setPage(kDisplayPage, std::make_unique<FireDisplay>(window(), firePanel()));
    setPage(kLoadOutPage, std::make_unique<LoadOutScreen>(window()));
    setCurrentPage(kDisplayPage);
    page(kDisplayPage)->setSelfRef();
    liveScreen = this;
    fireControlStations().setFireControlExists(true);
}

FireCtrl::~FireCtrl() {
    if (liveScreen == this) {
        liveScreen = nullptr;
        fireControlStations().setFireControlExists(false);
    }
}

int FireCtrl::onCommand(WParam wParam, LParam) {
    const int target = pageOfCommand(static_cast<int>(wParam & 0xFFFF));
    if (target >= 0 && target != currentPage())
        selectPage(target);
    return 1;
}

void FireCtrl::setTubeSideState(int side, int state) {
    firePanel().setTubeSideEnabled(side, state != 0);
}

FirePanel& FireCtrl::firePanel() const {
    return static_cast<FirePanel&>(*page(kPanelPage));
}

FireDisplay& FireCtrl::display() const {
    return static_cast<FireDisplay&>(*page(kDisplayPage));
}

LoadOutScreen& FireCtrl::loadOut() const {
    return static_cast<LoadOutScreen&>(*page(kLoadOutPage));
}

FireCtrl* fireCtrl() {
    return liveScreen;
}

void fireRegisterStation() {
    stationRegisterMaker(kStationFireControl, makeStation<FireCtrl>);
}

} // namespace q71
