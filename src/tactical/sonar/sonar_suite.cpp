#include "tactical/sonar/sonar_suite.h"

#include "framework/app/station_table.h"

#include "tactical/sonar/active_page.h"
#include "tactical/sonar/broadband_page.h"
#include "tactical/sonar/demon_page.h"
#include "tactical/sonar/intercept_page.h"
#include "tactical/sonar/narrowband_page.h"
#include "tactical/sonar/sonar_state.h"

namespace q71 {

namespace {

SonarSuiteScreen* suite = nullptr;

} // namespace

SonarSuiteScreen::SonarSuiteScreen(std::string_view name, WindowHandle parent, int width, int height, int x,
                                   int y)
    : SubScreen(name, parent, width, height, x, y) {
    setPageCount(kSonarPageCount);
    setPage(kSonarInterceptPage, std::make_unique<InterceptPage>(window()));
    setPage(kSonarDemonPage, std::make_unique<DemonPage>(window()));
    setPage(kSonarBroadbandPage, std::make_unique<BroadbandPage>(window()));
    setPage(kSonarNarrowbandPage, std::make_unique<NarrowbandPage>(window()));
    setPage(kSonarActivePage, std::make_unique<ActiveSonarPage>(window()));
    SonarState& state = sonarState();
    state.cursorBearing = 0;
    state.currentPage = kSonarBroadbandPage;
    setCurrentPage(kSonarBroadbandPage);
    suite = this;
    if (PageScreen* built = page(kSonarBroadbandPage))
        built->setSelfRef();
}

SonarSuiteScreen::~SonarSuiteScreen() {
    if (suite == this)
        suite = nullptr;
}

int SonarSuiteScreen::onCommand(WParam wParam, LParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    if (id >= 0 && id < kSonarPageCount)
        sonarShowPage(id);
    return 1;
}

SonarSuiteScreen* sonarSuite() {
    return suite;
}

void sonarShowPage(int index) {
    SonarState& state = sonarState();
    if (index == state.currentPage)
        return;
    state.currentPage = index;
    if (suite)
        suite->selectPage(index);
}

void sonarRegisterStation() {
    stationRegisterMaker(kStationSonar, makeStation<SonarSuiteScreen>);
}

} // namespace q71
