#include "tactical/radar/radar_station.h"

#include "framework/app/station_table.h"
#include "tactical/radar/radar_screen.h"

namespace q71 {
void radarRegisterStation() {
    stationRegisterMaker(kStationRadar, makeStation<RadarScreen>);
}

} // namespace q71
