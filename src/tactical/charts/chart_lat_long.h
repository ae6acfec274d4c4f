#pragma once
// A grid point's latitude and longitude as the charts' readouts write them: whole degrees and
// rounded minutes, with the hemispheres.

namespace q71 {

struct DemGrid;

struct ChartLatLong {
    int latDegrees = 0;
    int latMinutes = 0;
    bool north = true; ///< latitude >= 0
    int lonDegrees = 0;
    int lonMinutes = 0;
    bool east = true; ///< longitude >= 0, after bringing it into -180..180
};

/// False without a grid, when the grid cannot convert the point, or when the latitude is not
/// strictly between -90 and 90. Minutes that round to 60 carry into the degrees.
bool chartLatLong(const DemGrid* grid, double gx, double gy, ChartLatLong& out);

} // namespace q71
