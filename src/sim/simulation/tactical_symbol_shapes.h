#pragma once
// The shapes and colours of the tactical symbols: the frame's colour tells the affiliation, its
// shape the kind of platform. Shapes are lists of pixel offsets from the symbol's centre (x to the
// right, y downwards); a point with the move flag starts a new stroke, and a point with the pixel
// flag also sets a pixel, completing the end of an open stroke that a polyline leaves undrawn.

#include "platform/gdi/colour.h"

#include <array>
#include <cstdint>
#include <span>

namespace q71 {

struct SymbolPoint {
    bool move = false;  ///< starts a new stroke
    bool pixel = false; ///< also sets a single pixel here
    std::int32_t dx = 0;
    std::int32_t dy = 0;
};

/// One shape's points in drawing order.
using SymbolShape = std::span<const SymbolPoint>;

/// Most points one stroke of a shape may have: each stroke is drawn as one polyline of a buffer
/// of this size.
inline constexpr std::size_t kSymbolStrokePoints = 40;

/// Affiliations that have their own colours; any other value draws the default shape in white.
enum SymbolAffiliation : int {
    kAffiliationFriend = 1,
    kAffiliationHostile = 2,
    kAffiliationFriend2 = 3,
    kAffiliationNeutral = 4,
    kAffiliationUnknown = 5,
    kAffiliationOwnShip = 6, ///< the own boat: the friendly octagon with a cross
};

/// What one symbol is drawn with: a colour and at most two shapes.
struct SymbolStyle {
    ColorRef colour = 0;
    std::array<SymbolShape, 2> shapes{};
    std::size_t shapeCount = 0;

    /// The shapes in drawing order.
    std::span<const SymbolShape> drawn() const { return {shapes.data(), shapeCount}; }
};

/// The colour and shapes of an affiliation and an entity category.
SymbolStyle tacticalSymbolStyle(int affiliation, int category);

/// The category an entity kind is drawn as: kinds 0 and 1 aircraft, 2 a ship, 3 and 4 a
/// submarine, 5 a rock, 6 other; other values are taken as categories.
int tacticalCategoryForKind(int kind);

} // namespace q71
