#include "stations/cntrlrm/room_stations.h"

#include "stations/cntrlrm/cntrlrm_layout.h"

namespace q71 {

int roomObjectButton(int objectId) {
    for (const RoomObjectRow& row : kRoomObjects)
        if (row.objectId == objectId)
            return row.button;
    return -1;
}

int roomCommandStation(int command) {
    if (command < 1 || command > kRoomStationButtonCount)
        return -1;
    return kRoomStationColumn[static_cast<std::size_t>(command - 1)];
}

int roomObjectStation(int objectId) {
    return roomCommandStation(roomObjectButton(objectId));
}

} // namespace q71
