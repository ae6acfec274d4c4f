#pragma once
// The terrain world: the one open terrain database and the current terrain grid, with the
// conversions between world positions and grid positions and the depth of the terrain under
// a point. World positions are metres from the grid's south-west corner, x east and y north;
// grid rows count from the northern edge.

#include "sim/world/dem_grid.h"
#include "sim/world/terrain_ceiling_probe.h"

namespace q71 {

/// Every mission's grid: kMissionRegionKm square at kMissionGridSamples a side, centred on the
/// scenario's map origin, which thus lies at world (268,800, 268,800).
inline constexpr double kMissionRegionKm = 537.6;
inline constexpr int kMissionGridSamples = 600;

/// Opens the terrain database "WCDEM.dem" once per run; failure to open it is fatal.
void worldOpen();

/// Cuts the current grid: nx x ny samples over width x height km centred on (lat, lon), under
/// the progress box (with its Cancel button when withProgress is set). False, with no grid,
/// when no database is open, the region is invalid or the cut was cancelled.
bool worldLoadRegion(double lat, double lon, double width, double height, int nx, int ny, bool withProgress);

/// Makes the whole-world grid "DemWorld.dgd" the current grid; false (and no grid) on failure.
bool worldLoadWhole();

/// Frees the current grid.
void worldClose();

/// Frees the grid and the database, as at program exit; the next worldOpen opens again.
void worldShutdown();

/// The current grid, or null.
const DemGrid* worldGrid();

/// Grid column and row of a world position; false without a grid.
bool worldToGrid(double x, double y, double* column, double* row);

/// World position of a grid column and row; false without a grid.
bool gridToWorld(double column, double row, double* x, double* y);

/// The grid's world width and height (the world position of its north-east sample); false without a grid.
bool worldExtent(double* x, double* y);

/// A grid height with the bottom's roughness at a world position: a long and a short swell,
/// each scaling it by a few per cent (what worldDepthAt adds with noise).
double worldRoughenDepth(double x, double y, double depth);

/// The questions of a sight line on the current grid (made with its height bound when first
/// asked, and dropped with the grid); null without a grid. Valid while the grid stays.
const TerrainCeilingProbe* worldCeilingProbe();

/// Height of the terrain at a world position in metres (negative below sea level), with a
/// small deterministic roughness when withNoise is set; false, with the output untouched,
/// off a grid that does not wrap or without a grid.
bool worldDepthAt(double x, double y, double* depth, bool withNoise);

/// worldDepthAt with noise, remembered for the points asked for again and again (the corners of
/// fixed cells): the same answer, bit for bit.
bool worldRoughDepthRemembered(double x, double y, double* depth);

} // namespace q71
