#pragma once
// The crew stations of the in-mission host screen: fourteen slots, each with its screen key and,
// once the subsystem that owns the station registers it at start-up, the maker the host builds
// it with. A slot without a maker stays empty and its button is disabled.

#include "platform/window/window_types.h"

#include <memory>
#include <string_view>

namespace q71 {

class SubScreen;

/// The host's station slots (index = button = command id).
inline constexpr int kHostStationCount = 14;
/// The size every station is built at.
inline constexpr int kStationWidth = 540;
inline constexpr int kStationHeight = 420;

enum StationSlot : int {
    kStationShipControl = 0,
    kStationSonar = 1,
    kStationRadar = 2,
    kStationRadio = 3,
    kStationTma = 4,
    kStationFireControl = 5,
    kStationPeriscope = 6,
    kStationSoundProfile = 7,
    kStationShipBooks = 8,
    kStationVelms = 9,
    kStationNavigation = 10,
    kStationStateroom = 11,
    kStationControlRoom = 12,
    kStationEntityViewer = 13,
};

/// Makes a station: (its key, the host's window, width, height, x, y).
using StationMaker = std::unique_ptr<SubScreen> (*)(std::string_view key, WindowHandle parent, int width,
                                                    int height, int x, int y);

/// The maker of a station built from what every maker is given and nothing else.
template <class Station>
std::unique_ptr<SubScreen> makeStation(std::string_view key, WindowHandle parent, int width, int height,
                                       int x, int y) {
    return std::make_unique<Station>(key, parent, width, height, x, y);
}

/// The screen key of a station slot ("TMAScreen"); empty outside the table.
std::string_view stationKey(int slot);
/// Registers the maker of a slot's station (null removes it); a slot outside the table is ignored.
void stationRegisterMaker(int slot, StationMaker maker);
/// True when the station of that slot can be made.
bool stationHasMaker(int slot);
/// Makes the station of a slot as the host does (its key, 540 by 420 at 0, 0 of the parent);
/// null without a maker.
std::unique_ptr<SubScreen> stationCreate(int slot, WindowHandle parent);

} // namespace q71
