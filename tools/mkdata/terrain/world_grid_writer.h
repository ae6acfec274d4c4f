#pragma once
// Writes the whole-world terrain grid "DemWorld.dgd": a geographic grid wrapping east-west.

#include <filesystem>
#include <functional>

namespace q71::mkdata {

/// Samples `elevation` (lat, lon in degrees -> metres) every `step` degrees from 90 N and
/// 180 W and writes the grid; the last column repeats the first.
void writeWorldGrid(const std::filesystem::path& path, double step,
                    const std::function<double(double lat, double lon)>& elevation);

} // namespace q71::mkdata
