#pragma once
// The fields of the editor's object and route-point dialogs as the player reads and types them:
// feet, knots, yards, minutes and degrees, turned into the scenario record's units and checked.
// A form that does not read names its first bad field and changes nothing.

#include "sim/simulation/scenario_file.h"

#include <array>
#include <optional>
#include <string>

namespace q71 {

/// The fields of an object, in the dialog's order (the first two are the position).
enum ObjectField : int {
    kFieldLatitude,
    kFieldLongitude,
    kFieldName, ///< the boat's name of a start, the object record's key of a unit
    kFieldSide,
    kFieldLevel,
    kFieldCourse,
    kFieldDepth, ///< feet; for a start, where the boat sits
    kFieldSpeed, ///< knots
    kFieldMode,
    kFieldBoxWest, ///< yards
    kFieldBoxSouth,
    kFieldBoxEast, ///< also the area's width, the pattern's width or size
    kFieldBoxNorth,
    kFieldBuoys,
    kFieldDelay, ///< minutes
    kFieldSpreadWidth, ///< yards; with the height, a random placement
    kFieldSpreadHeight,
    kFieldGoal1, ///< the numbers of the goals bound to the unit (destroying it), 0 for none
    kFieldGoal2,
    kObjectFieldCount,
};

/// The depth a start's box shows: the feet ship control will show the boat at, positive down.
std::int32_t startDepthFeet(std::int32_t recordDepth);
/// The record depth of a start at those feet.
std::int32_t startRecordDepth(std::int32_t feet);

/// The fields a start uses.
bool objectFieldOfStart(ObjectField field);
/// Whether a unit's box shows a field under a patrol mode: the box's four sides for modes 4 and
/// 5, an area's width, height and buoys for 6, a pattern's width and height for 8, its size for
/// 9; the fields of every mode always. A mode that does not read shows them all.
bool objectFieldOfMode(ObjectField field, std::optional<long> mode);
/// The label (Windows-1252) of a box side under a mode that uses it otherwise (an area's or a
/// pattern's width and height); none for the box's own.
std::optional<std::string> objectModeLabel(ObjectField field, std::optional<long> mode);

using ObjectFormTexts = std::array<std::string, kObjectFieldCount>;

/// The texts of a record's fields (the position's are left empty: the map object writes them).
ObjectFormTexts objectFormTexts(const ScenarioRecord& record);

/// Reads the texts into the record's fields (not its position); for a unit the record key must
/// be one of the object database, and its category gives the record type. False, with the
/// first bad field and the record untouched, when a text does not read or is out of range.
bool objectFormRead(const ObjectFormTexts& texts, ScenarioRecord& record, ObjectField& badField);

/// A route point's depth (feet) and its leg's speed (knots) as texts, and read back into whole
/// metres and speed units; false (nothing changed) when one does not read.
std::array<std::string, 2> waypointFormTexts(int depthMetres, int speed);
bool waypointFormRead(const std::array<std::string, 2>& texts, int& depthMetres, int& speed);

} // namespace q71
