#include "tactical/tma/tma_station.h"

#include "framework/app/station_table.h"
#include "tactical/tma/tma_screen.h"

namespace q71 {
namespace {

std::unique_ptr<SubScreen> makeTmaScreen(std::string_view key, WindowHandle parent, int width, int height,
                                         int x, int y) {
    return std::make_unique<TMAScreen>(key, parent, width, height, x, y);
}

} // namespace

void tmaRegisterStation() {
    stationRegisterMaker(kStationTma, makeTmaScreen);
}

} // namespace q71
