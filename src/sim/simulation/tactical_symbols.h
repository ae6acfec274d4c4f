#pragma once
// Tactical symbols: how the charts of the stations, the navigation plot and the replay map show an
// entity or a contact. The frame's colour tells the affiliation and its shape the kind of platform
// (tactical_symbol_shapes.h); a leader points along the course, longer with speed; a ring and a
// label are optional. Each symbol is drawn over a black shadow one pixel left and below it.

#include "platform/geometry/rect.h"

#include <cstdint>
#include <string>

namespace q71 {

class DeviceContext;

/// Draws the symbol of an affiliation and entity category centred on pixel (x, y): a ring round it
/// when `ring` is non-zero, a leader along `course` (degrees) whose length grows with `speed`
/// (knots), and `label` (or none, when null) below and right of it. Leaves interface font 3 selected.
void worldDrawTacticalSymbol(DeviceContext& dc, int ring, int x, int y, int affiliation, int category,
                             double course, double speed, const char* label);

/// The same for an entity kind, drawn as the category tacticalCategoryForKind gives.
void worldDrawSymbolForKind(DeviceContext& dc, int ring, int x, int y, int affiliation, int kind,
                            double course, double speed, const char* label);

/// The pixels about its centre that worldDrawTacticalSymbol without a ring may cover at any course
/// and speed: the shapes, the leader at its longest, the label (in interface font 3) and their
/// shadow; right and bottom exclusive.
Rect worldTacticalSymbolBounds(int affiliation, int category, const char* label);

/// A chart item's symbol as it stands at a moment, drawn without a ring.
struct TacticalSymbolLook {
    bool shown = false; ///< false when there is nothing to show (its entity or record gone)
    std::int32_t affiliation = 0;
    std::int32_t category = 0;
    double course = 0.0;
    double speed = 0.0;
    std::string label; ///< empty for none

    friend bool operator==(const TacticalSymbolLook&, const TacticalSymbolLook&) = default;
};

/// Draws a look centred on pixel (x, y); nothing when it is not shown.
void worldDrawSymbolLook(DeviceContext& dc, int x, int y, const TacticalSymbolLook& look);
/// The pixels about its centre that a look may cover at any course and speed (its centre pixel
/// alone when it is not shown); right and bottom exclusive.
Rect worldSymbolLookBounds(const TacticalSymbolLook& look);

} // namespace q71
