#include "tactical/radar/radar_station.h"

#include "framework/app/station_table.h"
#include "tactical/radar/radar_screen.h"

namespace q71 {
namespace {

std::unique_ptr<SubScreen> makeRadarScreen(std::string_view key, WindowHandle parent, int width, int height, int x,
                                           int y) {
    return std::make_unique<RadarScreen>(key, parent, width, height, x, y);
}

} // namespace

void radarRegisterStation() {
    stationRegisterMaker(kStationRadar, makeRadarScreen);
}

} // namespace q71
