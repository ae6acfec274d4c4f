#include "sim/simulation/tactical_symbol_shapes.h"

#include "sim/world/object_record.h"

namespace q71 {

namespace {

// A point that starts a stroke, one that continues it, and one that continues it and sets its pixel.
constexpr SymbolPoint M(std::int32_t x, std::int32_t y) {
    return {true, false, x, y};
}
constexpr SymbolPoint L(std::int32_t x, std::int32_t y) {
    return {false, false, x, y};
}
constexpr SymbolPoint P(std::int32_t x, std::int32_t y) {
    return {false, true, x, y};
}

constexpr SymbolPoint kLowerHalfOctagon[] = {M(5, 0), L(5, 2), L(2, 5), L(-2, 5), L(-5, 2), P(-5, 0)};
constexpr SymbolPoint kOctagon[] = {M(-5, -2), L(-2, -5), L(2, -5), L(5, -2), L(5, 2),
                                    L(2, 5),   L(-2, 5),  L(-5, 2), L(-5, -2)};
constexpr SymbolPoint kUpperHalfOctagon[] = {M(-5, 0), L(-5, -2), L(-2, -5), L(2, -5), L(5, -2), P(5, 0)};
constexpr SymbolPoint kLowerHalfDiamond[] = {M(5, 0), L(0, 5), P(-5, 0)};
constexpr SymbolPoint kDiamond[] = {M(-5, 0), L(0, -5), L(5, 0), L(0, 5), L(-5, 0)};
constexpr SymbolPoint kUpperHalfDiamond[] = {M(-5, 0), L(0, -5), P(5, 0)};
constexpr SymbolPoint kLowerNotchedHalf[] = {M(5, 0),  L(5, 2),  L(2, 2),  L(2, 5),
                                             L(-2, 5), L(-2, 2), L(-5, 2), P(-5, 0)};
constexpr SymbolPoint kNotchedCrossFrame[] = {M(-5, -2), L(-2, -2), L(-2, -5), L(2, -5), L(2, -2),
                                              L(5, -2),  L(5, 2),   L(2, 2),   L(2, 5),  L(-2, 5),
                                              L(-2, 2),  L(-5, 2),  L(-5, -2)};
constexpr SymbolPoint kUpperNotchedHalf[] = {M(-5, 0), L(-5, -2), L(-2, -2), L(-2, -5),
                                             L(2, -5), L(2, -2),  L(5, -2),  P(5, 0)};
constexpr SymbolPoint kLowerHalfSquare[] = {M(5, 0), L(5, 5), L(-5, 5), P(-5, 0)};
constexpr SymbolPoint kSquare[] = {M(-5, -5), L(5, -5), L(5, 5), L(-5, 5), L(-5, -5)};
constexpr SymbolPoint kUpperHalfSquare[] = {M(-5, 0), L(-5, -5), L(5, -5), P(5, 0)};
constexpr SymbolPoint kOwnShipCross[] = {M(-5, 0), L(5, 0), M(0, -5), L(0, 5)};
constexpr SymbolPoint kFixedObjectTicks[] = {M(-7, 0), L(-5, 0), M(7, 0), L(5, 0),
                                             M(0, -7), L(0, -5), M(0, 7), L(0, 5)};
constexpr SymbolPoint kMineStar[] = {M(-5, 0),  P(5, 0), M(0, -5), P(0, 5),
                                     M(-4, -4), P(4, 4), M(-4, 4), P(4, -4)};
constexpr SymbolPoint kDefault[] = {M(-5, -1), L(-4, -2), L(4, -2),  L(5, -1),  L(5, 1),   L(4, 2),
                                    L(-4, 2),  L(-5, 1),  L(-5, -1), M(-1, -5), L(-2, -4), L(-2, 4),
                                    L(-1, 5),  L(1, 5),   L(2, 4),   L(2, -4),  L(1, -5),  L(-1, -5)};

// The polyline buffer holds one stroke: no table may have a longer one.
constexpr bool strokesFit(std::span<const SymbolPoint> shape) {
    std::size_t stroke = 0;
    for (const SymbolPoint& point : shape) {
        stroke = point.move ? 1 : stroke + 1;
        if (stroke > kSymbolStrokePoints)
            return false;
    }
    return true;
}
static_assert(strokesFit(kLowerHalfOctagon) && strokesFit(kOctagon) && strokesFit(kUpperHalfOctagon) &&
              strokesFit(kLowerHalfDiamond) && strokesFit(kDiamond) && strokesFit(kUpperHalfDiamond) &&
              strokesFit(kLowerNotchedHalf) && strokesFit(kNotchedCrossFrame) &&
              strokesFit(kUpperNotchedHalf) && strokesFit(kLowerHalfSquare) && strokesFit(kSquare) &&
              strokesFit(kUpperHalfSquare) && strokesFit(kOwnShipCross) && strokesFit(kFixedObjectTicks) &&
              strokesFit(kMineStar) && strokesFit(kDefault));

// The three frames of one affiliation family.
struct ShapeFamily {
    SymbolShape lowerHalf, full, upperHalf;
};
constexpr ShapeFamily kOctagonFamily{kLowerHalfOctagon, kOctagon, kUpperHalfOctagon};
constexpr ShapeFamily kDiamondFamily{kLowerHalfDiamond, kDiamond, kUpperHalfDiamond};
constexpr ShapeFamily kNotchedFamily{kLowerNotchedHalf, kNotchedCrossFrame, kUpperNotchedHalf};
constexpr ShapeFamily kSquareFamily{kLowerHalfSquare, kSquare, kUpperHalfSquare};

constexpr ColorRef kFriendColour = 0xFAFA00;
constexpr ColorRef kHostileColour = 0x0000FA;
constexpr ColorRef kNeutralColour = 0x00FA00;
constexpr ColorRef kUnknownColour = 0x00FAFA;
constexpr ColorRef kOtherColour = 0xFFFFFF;

SymbolStyle style(ColorRef colour, SymbolShape first, SymbolShape second = {}) {
    SymbolStyle s;
    s.colour = colour;
    s.shapes = {first, second};
    s.shapeCount = second.empty() ? 1 : 2;
    return s;
}

} // namespace

SymbolStyle tacticalSymbolStyle(int affiliation, int category) {
    const ShapeFamily* family = nullptr;
    ColorRef colour = kOtherColour;
    switch (affiliation) {
    case kAffiliationOwnShip:
        return style(kFriendColour, kOctagon, kOwnShipCross);
    case kAffiliationFriend:
    case kAffiliationFriend2:
        family = &kOctagonFamily;
        colour = kFriendColour;
        break;
    case kAffiliationHostile:
        family = &kDiamondFamily;
        colour = kHostileColour;
        break;
    case kAffiliationNeutral:
        family = &kNotchedFamily;
        colour = kNeutralColour;
        break;
    case kAffiliationUnknown:
        family = &kSquareFamily;
        colour = kUnknownColour;
        break;
    default:
        return style(kOtherColour, kDefault);
    }
    switch (category) {
    case kCategorySub:
    case kCategoryTorp:
        return style(colour, family->lowerHalf);
    case kCategoryShip:
        return style(colour, family->full);
    case kCategoryFloat:
    case kCategoryRock:
        // An unknown fixed object has no frame of its own.
        if (affiliation == kAffiliationUnknown)
            return style(colour, kDefault);
        return style(colour, family->full, kFixedObjectTicks);
    case kCategoryMine:
    case kCategoryDepth:
        return style(colour, kMineStar);
    case kCategoryPlane:
    case kCategoryHelo:
    case kCategoryMissile:
        return style(colour, family->upperHalf);
    default:
        return style(colour, kDefault);
    }
}

int tacticalCategoryForKind(int kind) {
    switch (kind) {
    case 0:
    case 1:
        return kCategoryPlane;
    case 2:
        return kCategoryShip;
    case 3:
    case 4:
        return kCategorySub;
    case 5:
        return kCategoryRock;
    case 6:
        return kCategoryOther;
    default:
        return kind;
    }
}

} // namespace q71
