#include "tactical/periscope/peri_suite.h"

#include "framework/app/station_table.h"
#include "tactical/periscope/periscope_screen.h"
#include "tactical/stadimeter/stadimeter_screen.h"

namespace q71 {

PeriSuite::PeriSuite(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {
    setPageCount(2);
    auto periscope = std::make_unique<PeriscopeScreen>("periscope", window(), width, height, 0, 0);
    auto stadimeter = std::make_unique<StadimeterScreen>("stadimeter", window(), width, height, 0, 0);
    periscope->setStadimeter(stadimeter.get());
    setPage(kPeriscopePageIndex, std::move(periscope));
    setPage(kStadimeterPageIndex, std::move(stadimeter));
    setCurrentPage(kPeriscopePageIndex);
}

int PeriSuite::onCommand(WParam wParam, LParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    if (id == kPeriscopePageIndex || id == kStadimeterPageIndex)
        selectPage(id);
    return 1;
}

PeriscopeScreen& PeriSuite::periscope() const {
    return *static_cast<PeriscopeScreen*>(page(kPeriscopePageIndex));
}

StadimeterScreen& PeriSuite::stadimeter() const {
    return *static_cast<StadimeterScreen*>(page(kStadimeterPageIndex));
}

void periscopeRegisterStation() {
    stationRegisterMaker(kStationPeriscope, makeStation<PeriSuite>);
}

} // namespace q71
