#include "stations/nav/nav_screen.h"

#include "framework/app/station_table.h"
#include "stations/nav/fathometer_page.h"
#include "stations/nav/nav_chart_page.h"

namespace q71 {
namespace {

NavScreen* liveScreen = nullptr;

} // namespace

NavScreen::NavScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {
    setPageCount(2);
    setPage(kChartPage, std::make_unique<NavChartPage>(window()));
    setPage(kFathometerPage, std::make_unique<FathometerPage>(window()));
    setCurrentPage(kChartPage);
    page(kChartPage)->setSelfRef();
    liveScreen = this;
}

NavScreen::~NavScreen() {
    if (liveScreen == this)
        liveScreen = nullptr;
}

int NavScreen::onCommand(WParam wParam, LParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    if ((id == kChartPage || id == kFathometerPage) && id != currentPage())
        selectPage(id);
    return 1;
}

NavChartPage& NavScreen::chartPage() const {
    return static_cast<NavChartPage&>(*page(kChartPage));
}

FathometerPage& NavScreen::fathometerPage() const {
    return static_cast<FathometerPage&>(*page(kFathometerPage));
}

NavScreen* navScreen() {
    return liveScreen;
}

void navRegisterStation() {
    stationRegisterMaker(kStationNavigation, makeStation<NavScreen>);
}

} // namespace q71
