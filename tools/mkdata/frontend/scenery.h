#pragma once
// The scenery the front end's screens share in the data set: the size of a screen, the staging
// of a picture into its screen's group, chart water, a bearing ring, a submarine in profile and
// the raised title plate.

#include "mkdata/generator.h"
#include "mkdata/art/lettering.h"
#include "platform/geometry/rect.h"

#include <cstdint>
#include <string>

namespace q71::mkdata {

inline constexpr int kWidth = 640;
inline constexpr int kHeight = 480;
inline constexpr double kPi = 3.14159265358979;

/// Stages a picture file into a group of the graphics folder.
void stage(const Context& context, const char* group, const std::string& name, const std::string& file);
/// Deep water seen on a chart over the whole screen: navy shading to black, a faint grid.
void chartWater(Canvas& canvas, std::uint32_t seed);
/// A bearing ring: the circle, a tick every 5 degrees, longer every 30.
void bearingRing(Canvas& canvas, PointF centre, double radius, Colour colour);
/// An attack submarine in profile, bow to the right: hull of revolution, sail and planes.
void submarine(Canvas& canvas, PointF centre, double length, Colour colour);
/// A raised plate carrying an engraved title ("" leaves it blank for a title drawn by the screen).
void titlePlate(Canvas& canvas, const Rect& rect, const std::string& title, const LetterFont& font,
                std::uint32_t seed);

} // namespace q71::mkdata
