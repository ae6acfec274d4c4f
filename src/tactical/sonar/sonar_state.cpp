#include "tactical/sonar/sonar_state.h"

#include "framework/widgets/read_out.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/world_lists.h"

namespace q71 {

SonarState& sonarState() {
    static SonarState state;
    return state;
}

OwnShipMotion* sonarOwnMotion() {
    OwnShipEntity* own = worldOwnSubmarine();
    return own ? own->ownMotion : nullptr;
}

namespace {

// The sensor type behind a selection index; -1 for none.
int selectionType(int index) {
    switch (index) {
    case 0:
    case 1:
    case 2:
        return index;
    case kSonarInterceptArray:
        return kSensorIntercept;
    default:
        return -1;
    }
}

} // namespace

bool sonarSelectArray(int index) {
    OwnShipEntity* own = worldOwnSubmarine();
    if (!own)
        return false;
    SonarState& state = sonarState();
    state.selectedArray = -1;
    const int type = selectionType(index);
    if (type < 0)
        return false;
    if (index == kSonarTowedArray && !own->ownShipSensorByType(type))
        return false;
    state.selectedArray = index;
    return true;
}

ReceiverSensor* sonarCurrentArray() {
    OwnShipEntity* own = worldOwnSubmarine();
    const int type = selectionType(sonarState().selectedArray);
    return own && type >= 0 ? dynamic_cast<ReceiverSensor*>(own->ownShipSensorByType(type)) : nullptr;
}

void sonarSetDigits(ReadOut& readout, int count, int value) {
    for (int position = count - 1; position >= 0; --position) {
        readout.setDigit(position, value % 10);
        value /= 10;
    }
}

} // namespace q71
