// Fuzz target of the terrain grid reader: the input is a grid file; a grid that loads is
// sampled across and beyond its edges and converted to and from latitude and longitude.
#include "sim/world/dem_grid.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t pos = 0;
    auto grid = q71::demReadGrid([&](std::span<std::byte> out) {
        if (size - pos < out.size())
            return false;
        std::memcpy(out.data(), data + pos, out.size());
        pos += out.size();
        return true;
    });
    if (!grid)
        return 0;
    for (double gx = -2.5; gx < grid->width + 2; gx += grid->width / 7.0 + 0.3) {
        for (double gy = -2.5; gy < grid->height + 2; gy += grid->height / 5.0 + 0.3) {
            double value, lat, lon, column, row;
            q71::demSample(grid.get(), gx, gy, &value);
            q71::demGridToLatLong(grid.get(), gx, gy, &lat, &lon);
            q71::demLatLongToGrid(grid.get(), lat, lon, &column, &row);
        }
    }
    return 0;
}
