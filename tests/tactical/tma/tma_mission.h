#pragma once
// The TMA station on a running mission of the data set (Sa1), built and shown as the host builds
// it, with the helpers its tests share.

#include "tactical/support/station_mission.h"

#include "sim/entities/motion/motion_model.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"
#include "tactical/tma/tma_screen.h"
#include "tactical/tma/tma_station.h"

namespace q71::test {

class TmaMission : public StationMission {
protected:
    TmaMission() { tmaRegisterStation(); }
    ~TmaMission() override { stationRegisterMaker(kStationTma, nullptr); }

    TMAScreen& openStation() {
        startMission("Sa1.scn");
        own = worldOwnSubmarine();
        EXPECT_NE(own, nullptr);
        SubScreen* station = buildRegisteredStation(kStationTma);
        EXPECT_NE(station, nullptr);
        showStation(kStationTma);
        return static_cast<TMAScreen&>(*station);
    }
    // The first entity of the mission other than the own boat.
    Entity& stranger() {
        for (auto* node = worldList().head(); node; node = node->next)
            if (node->item != own && node->item->motion)
                return *node->item;
        ADD_FAILURE() << "the mission has no other entity";
        return *own;
    }

    OwnShipEntity* own = nullptr;
};

} // namespace q71::test
