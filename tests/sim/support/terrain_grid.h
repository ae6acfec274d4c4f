#pragma once
// A hand-built terrain grid as the world's current grid, for the life of the object: the test
// runs in a folder of its own whose terrain folder holds the grid file.

#include "support/temp_dir.h"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace q71::test {

class TerrainGrid {
public:
    /// columns x rows samples `spacing` metres apart: sample (c, r) lies at world (c x spacing,
    /// r x spacing), row 0 along the south edge; heights in metres, negative below sea level.
    TerrainGrid(int columns, int rows, double spacing, const std::function<std::int16_t(int, int)>& height);
    ~TerrainGrid();
    TerrainGrid(const TerrainGrid&) = delete;
    TerrainGrid& operator=(const TerrainGrid&) = delete;

private:
    TempDir dir_;
    std::filesystem::path previous_;
};

/// The height (metres) of a sea of islands at sample (column, row) of a 101 x 101 grid: a basin
/// 1500 m deep with a ring of shoals and a few islands.
std::int16_t islandSeaFloor(int column, int row);

} // namespace q71::test
