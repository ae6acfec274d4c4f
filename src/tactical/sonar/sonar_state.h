#pragma once
// What the five sonar pages share for the whole run: the page on show, the array whose data
// the passive pages draw, the cursor bearing, the digit readouts' writer and the displays'
// colours. The array is kept as its selection index and looked up in the own boat each time
// it is read, so that a towed array hauled in (and deleted) is never read through a stale
// pointer.

#include "platform/gdi/colour.h"

#include <cstdint>

namespace q71 {

class OwnShipMotion;
class ReadOut;
class ReceiverSensor;

/// The pages of the sonar suite, by page index (= page button = command id).
enum SonarPage : int {
    kSonarActivePage = 0,
    kSonarInterceptPage = 1,
    kSonarDemonPage = 2,
    kSonarBroadbandPage = 3,
    kSonarNarrowbandPage = 4,
};
inline constexpr int kSonarPageCount = 5;

/// Array selection indices.
inline constexpr int kSonarTowedArray = 0;
inline constexpr int kSonarHullArray = 2;
inline constexpr int kSonarInterceptArray = 5;

/// Display colours of every page.
inline constexpr ColorRef kSonarText = rgb(0, 240, 0);
inline constexpr ColorRef kSonarPen = rgb(0, 248, 0);
inline constexpr ColorRef kSonarBackground = rgb(24, 33, 41);
/// The interface font of the displays' text.
inline constexpr int kSonarFont = 1;
/// The narrow interface font of the displays' scale labels and the reference platform's name, for
/// which the layout leaves little room (13 pixels left of a waterfall's time bracket).
inline constexpr int kSonarScaleFont = 3;

struct SonarState {
    int currentPage = kSonarBroadbandPage; ///< the page shown, kept for the whole run
    int selectedArray = -1;                ///< the selection of sonarSelectArray; -1 none
    int cursorBearing = 0;                 ///< degrees 0 to 359
};

/// The shared sonar state.
SonarState& sonarState();

/// Selects the array the passive pages show: 0 the towed array (true only while one is
/// streamed), 1 and 2 the hull arrays, 5 the intercept receiver (true); 3, 4 and above 5
/// select none (false). Without an own boat: false, the selection unchanged.
bool sonarSelectArray(int index);
/// The selected array of the own boat, or null (none selected, or the own boat has none).
ReceiverSensor* sonarCurrentArray();

/// Its motion, or null.
OwnShipMotion* sonarOwnMotion();

/// Writes the lowest `count` decimal digits of a non-negative value into a readout's cells,
/// leading zeros shown.
void sonarSetDigits(ReadOut& readout, int count, int value);

/// The id of a source as a display reads it from a 16-bit table (a mirror's id is negative).
inline std::int32_t sonarSourceId(std::uint16_t stored) {
    return static_cast<std::int16_t>(stored);
}

} // namespace q71
