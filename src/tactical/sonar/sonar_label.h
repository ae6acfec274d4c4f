#pragma once
// The label the sonar displays give the contact under their cursor: "S" and the own boat's
// number of the entity for the display's sensor slot, or "M" and the merged-track number when
// the own boat's first contact record of that number was merged; and the letters of the
// trackers written along the waterfalls' strips.

#include "tactical/sonar/sonar_state.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace q71 {

class DeviceContext;
class ReceiverSensor;
struct TrackSlot;

/// How a display writes the label.
enum class SonarLabelStyle {
    plain,  ///< "S%-d" (broadband, narrowband)
    active, ///< "  S%-02d  " (the active display)
    demon,  ///< "%c-S%-d" with the tracker letter (DEMON)
};

/// Sensor slot of a contact known by its general number, and the active display's slot.
inline constexpr int kSonarGeneralSlot = 3;
inline constexpr int kSonarActiveSlot = 4;

/// The label of a contact id (negative: known by its general number, slot 3) for a sensor slot;
/// empty when nothing is drawn (no such entity, or it has no number for the slot).
std::string sonarContactLabel(std::int32_t contactId, int slot, SonarLabelStyle style, char letter = 0);

/// Draws a label centred on x at y in green, in an interface font: on the display background, or
/// only its letters where the caller cleared a slot narrower than the font's cell.
void sonarDrawLabel(DeviceContext& dc, int x, int y, const std::string& label, int font = kSonarFont,
                    bool opaque = true);

/// Writes the letters of an array's lettered trackers in use along a waterfall's strip, centred on
/// the x that `letterX` gives a tracker by its slot, at y; a tracker it gives none is left out.
void sonarDrawTrackerLetters(DeviceContext& dc, const ReceiverSensor& array, int y,
                             const std::function<std::optional<int>(int slot, const TrackSlot&)>& letterX);

} // namespace q71
