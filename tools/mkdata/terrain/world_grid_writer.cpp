#include "mkdata/terrain/world_grid_writer.h"

#include "mkdata/files.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace q71::mkdata {

namespace {
template <class T> void put(std::string& out, T value) {
    static_assert(std::endian::native == std::endian::little, "the grid file is little-endian");
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}
} // namespace

void writeWorldGrid(const std::filesystem::path& path, double step,
                    const std::function<double(double lat, double lon)>& elevation) {
    const auto columns = static_cast<uint32_t>(std::lround(360.0 / step)) + 1;
    const auto rows = static_cast<uint32_t>(std::lround(180.0 / step)) + 1;
    std::string file(24, '\0');
    std::memcpy(file.data(), "DemGrid V.1", 11);
    put<uint32_t>(file, 1); // geographic: plane units are minutes of arc from (0, 0)
    put(file, 0.0);
    put(file, 0.0);
    put(file, columns);
    put(file, rows);
    put(file, 360.0 * 60);  // extent x
    put(file, 180.0 * 60);  // extent y
    put(file, -180.0 * 60); // plane x of column 0
    put(file, -90.0 * 60);  // negated plane y of row 0
    put<uint32_t>(file, 1); // wraps east-west
    put<uint32_t>(file, 0);
    for (uint32_t r = 0; r < rows; ++r)
        for (uint32_t c = 0; c < columns; ++c)
            put(file, static_cast<int16_t>(std::clamp(
                          std::round(elevation(90.0 - r * step, -180.0 + c * step)), -32768.0, 32767.0)));
    writeOutput(path, file);
}

} // namespace q71::mkdata
