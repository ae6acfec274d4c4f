#include "tactical/tma/tma_station.h"

#include "framework/app/station_table.h"
#include "tactical/tma/tma_screen.h"

namespace q71 {
void tmaRegisterStation() {
    stationRegisterMaker(kStationTma, makeStation<TMAScreen>);
}

} // namespace q71
