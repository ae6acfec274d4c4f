#include "tactical/radio/radio_station.h"

#include "framework/app/station_table.h"
#include "tactical/radio/radio_room.h"

#include <utility>

namespace q71 {
namespace {

std::vector<std::string>& restored() {
    static std::vector<std::string> lines;
    return lines;
}

} // namespace

void radioRegisterStation() {
    stationRegisterMaker(kStationRadio, makeStation<RadioRoom>);
}

std::vector<std::string> radioSavedLines() {
    if (const RadioRoom* room = radioRoom())
        return room->log().lines();
    return restored();
}

void radioRestoreLines(std::vector<std::string> lines) {
    restored() = std::move(lines);
}

std::vector<std::string> radioTakeRestoredLines() {
    return std::exchange(restored(), {});
}

} // namespace q71
