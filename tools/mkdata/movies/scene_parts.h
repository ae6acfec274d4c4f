#pragma once
// Pieces the movies' scenes are drawn from: the submarine's silhouette, sky and sea, the
// underwater murk, bubbles, and a chart of a sea area.

#include "mkdata/movies/canvas.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace q71::mkdata {

// The data set's colours (LOOK-AND-WORDS: steel greys, one red, one amber, phosphor green,
// chart blue).
inline constexpr Colour kNavy = rgb(8, 18, 36);
inline constexpr Colour kChartBlue = rgb(22, 52, 96);
inline constexpr Colour kShelf = rgb(44, 86, 132);
inline constexpr Colour kSand = rgb(196, 176, 128);
inline constexpr Colour kSteel = rgb(112, 124, 138);
inline constexpr Colour kDarkSteel = rgb(52, 60, 70);
inline constexpr Colour kAmber = rgb(236, 168, 48);
inline constexpr Colour kRed = rgb(208, 40, 32);
inline constexpr Colour kPhosphor = rgb(80, 230, 110);
inline constexpr Colour kWhite = rgb(236, 238, 232);

/// 0 up to t = 0, 1 from t = 1 on, t in between: a fade's progress.
float ease(double t);

/// A palette for flat-coloured movies: each ground colour followed by `steps` shades from it to
/// each ink, so that smoothed edges keep their shading; then the extra colours.
std::array<std::uint8_t, 768> blendedPalette(std::initializer_list<Colour> grounds, std::initializer_list<Colour> inks,
                                             int steps, std::initializer_list<Colour> extras, int& colours);

/// The parts of a submarine seen from the side, bow to the right: hull, sail, rudder and planes.
std::vector<std::vector<PointF>> submarineSide(PointF centre, double length, double tilt);
/// Draws the submarine in one colour.
void drawSubmarine(Canvas& c, PointF centre, double length, double tilt, Colour colour, float alpha = 1);

/// Sky from `top` to `horizon` colour down to the horizon line, sea below it with moving glints.
void drawSkyAndSea(Canvas& c, Colour top, Colour horizon, Colour sea, double horizonY, double time);
/// The water column: murk darkening with depth, shafts of light, drifting motes.
void drawUnderwater(Canvas& c, double time, float light);
/// Bubbles rising from a point since `start` seconds; `time` is now.
void drawBubbles(Canvas& c, PointF source, double start, double time, int count, std::uint32_t seed);

/// A sea chart: water, shelf and land of a seeded coast, a grid and a compass rose.
void drawChart(Canvas& c, std::uint32_t seed);
/// A point of the chart's open water, from a seed, away from the coast and the edges.
PointF chartPoint(const Canvas& c, std::uint32_t seed, int which);

} // namespace q71::mkdata
