#pragma once
// The data set's textures and sky backdrops (docs/render3d.md, "The data set's 3-D art").

#include "render3d/format.h"

#include <string>
#include <vector>

namespace q71::mkdata {

/// The sea (animated, one per sea state), the coast, land and the seabeds: all tile.
std::vector<r3d::TextureRecord> surfaceTextures();
/// Wake, bubbles, smoke and the explosions' frames, with alpha.
std::vector<r3d::TextureRecord> effectTextures();
/// The few textures the models wear.
std::vector<r3d::TextureRecord> modelTextures();

struct SkyImage {
    std::string name;
    r3d::ImageRecord image;
};
/// The 18 sky backdrops, by day phase and sky variant, plain and for magnified views.
std::vector<SkyImage> skyImages();

/// The faces of the ship control station's dials, at their windows' sizes.
std::vector<SkyImage> dialFaces();
/// The glass of ship control's high-frequency sonar display, at its size.
SkyImage hfSonarGlass();
/// The textures the station displays' echoes wear ("hf-mine.bmp").
std::vector<r3d::TextureRecord> displayTextures();

/// The sky backdrops' size and where their horizon lies, in rows above the bottom row (0).
inline constexpr int kSkyWidth = 512;
inline constexpr int kSkyHeight = 660;
/// The plain forms: the optic (300 rows) at zoom 1 sees its horizon on this row.
inline constexpr int kSkyHorizonRow = 303;
/// The magnified forms: from zoom 4 (this row) to zoom 16 (`kSkyMagnifiedHorizonTop`).
inline constexpr int kSkyMagnifiedHorizonRow = 309;
inline constexpr int kSkyMagnifiedHorizonTop = 333;

} // namespace q71::mkdata
