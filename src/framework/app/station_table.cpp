#include "framework/app/station_table.h"

#include "framework/app/sub_screen.h"

#include <array>

namespace q71 {
namespace {

constexpr std::array<std::string_view, kHostStationCount> kStationKeys{
    "shipctrl", "sonarsuite",    "radarscreen", "radioroom", "TMAScreen", "FireCtrlScreen", "perisuite",
    "ssp",      "shipbksScreen", "velmsScreen", "navScreen", "stateroom", "cntrlrmscreen",  "entviewscreen",
};

std::array<StationMaker, kHostStationCount>& makers() {
    static std::array<StationMaker, kHostStationCount> table{};
    return table;
}

bool inTable(int slot) {
    return slot >= 0 && slot < kHostStationCount;
}

} // namespace

std::string_view stationKey(int slot) {
    return inTable(slot) ? kStationKeys[static_cast<std::size_t>(slot)] : std::string_view{};
}

void stationRegisterMaker(int slot, StationMaker maker) {
    if (inTable(slot))
        makers()[static_cast<std::size_t>(slot)] = maker;
}

bool stationHasMaker(int slot) {
    return inTable(slot) && makers()[static_cast<std::size_t>(slot)] != nullptr;
}

std::unique_ptr<SubScreen> stationCreate(int slot, WindowHandle parent) {
    if (!stationHasMaker(slot))
        return nullptr;
    return makers()[static_cast<std::size_t>(slot)](stationKey(slot), parent, kStationWidth, kStationHeight,
                                                    0, 0);
}

} // namespace q71
