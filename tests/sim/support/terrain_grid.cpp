#include "sim/support/terrain_grid.h"

#include "framework/resources/registry.h"
#include "platform/settings/settings_store.h"
#include "sim/world/terrain_world.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace q71::test {

namespace {
template <class T> void put(std::string& bytes, T value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}
} // namespace

TerrainGrid::TerrainGrid(int columns, int rows, double spacing,
                         const std::function<std::int16_t(int, int)>& height)
    : previous_(std::filesystem::current_path()) {
    std::string error;
    if (!settingsLoadText(
            "[HKEY_LOCAL_MACHINE\\Software\\Velm's Combat Simulations\\Q71I Varden-Morrow\\1.0]\n"
            "DemDirectory = \"terrain\"\n",
            error))
        throw std::runtime_error(error);
    regSetFamilyKey("Velm's Combat Simulations");
    regSetProductKey("Q71I Varden-Morrow");
    regSetVersionKey("1.0");

    // A "DemGrid V.1" file on a stereographic plane whose extent makes one cell `spacing` metres.
    std::string bytes(24, '\0');
    bytes.replace(0, 11, "DemGrid V.1");
    put(bytes, std::uint32_t{0});
    put(bytes, 0.0);
    put(bytes, 0.0);
    put(bytes, static_cast<std::uint32_t>(columns));
    put(bytes, static_cast<std::uint32_t>(rows));
    const double extentX = (columns - 1) * spacing / 1000.0, extentY = (rows - 1) * spacing / 1000.0;
    for (double d : {extentX, extentY, -extentX / 2, -extentY / 2})
        put(bytes, d);
    put(bytes, std::uint32_t{0});
    put(bytes, std::uint32_t{0});
    for (int row = rows - 1; row >= 0; --row) // the file's first row is the north edge
        for (int column = 0; column < columns; ++column)
            put(bytes, height(column, row));
    dir_.write("terrain/DemWorld.dgd", bytes);
    std::filesystem::current_path(dir_.path());
    if (!worldLoadWhole())
        throw std::runtime_error("the hand-built grid does not load");
}

TerrainGrid::~TerrainGrid() {
    worldClose();
    std::filesystem::current_path(previous_);
}

std::int16_t islandSeaFloor(int column, int row) {
    const double x = column - 50.0, y = row - 50.0;
    const double ring = std::fabs(std::hypot(x, y) - 30.0);
    const double islands = std::cos(column * 0.7) * std::cos(row * 0.6);
    return static_cast<std::int16_t>(-1500.0 + 1400.0 * std::exp(-ring * ring / 20.0) + 300.0 * islands);
}

} // namespace q71::test
