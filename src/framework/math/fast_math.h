#pragma once
// Shared numeric helpers: a planar distance approximation, the exact 3-D distance, a
// whole-degree cosine table, square-root mantissa tables and the sea-surface height.

#include <cstdint>

namespace q71 {

/// cos(i degrees) for i = 0..359, exact at 0, 90, 180 and 270; filled before main runs.
extern double cosTable[360];
/// Top 7 mantissa bits of sqrt(1 + i/128) (even exponent) and of sqrt(2 + i/64) (odd exponent).
extern uint16_t sqrtTableEven[128];
extern uint16_t sqrtTableOdd[128];

/// Fills the cosine table once (later calls do nothing).
void initCosTable();
/// Fills the two square-root tables.
void initSqrtTables();

/// cos of an angle in degrees from the table at whole degrees: the entry at trunc(a + 360.5) mod 360.
double tableCosDegrees(double degrees);
/// sin of an angle in degrees from the table at whole degrees: the entry at trunc(a + 630.5) mod 360.
double tableSinDegrees(double degrees);

/// Larger + smaller x (sqrt 2 - 1) of the whole-number axis distances.
double approxDistance2D(double x1, double y1, double x2, double y2);
/// The exact Euclidean distance.
double distance3D(double x1, double y1, double z1, double x2, double y2, double z2);
/// Mean height of the first n (1 to 30) wave components of the sea at (x, y) and time t.
double waveHeight(double x, double y, double t, int n);
/// The most waveHeight of n components can be, up or down, anywhere and at any time.
double waveHeightBound(int n);

} // namespace q71
