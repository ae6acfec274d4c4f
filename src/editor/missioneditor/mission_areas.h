#pragma once
// The mission areas a new mission may lie in, as the data set lists them for the editor
// ("terrain\areas.lst"): one line per area, its centre's latitude and longitude in degrees and
// its name as the player reads it, separated by tabs. Outside these areas the terrain has no data.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace q71 {

struct EditorArea {
    double latitude = 0.0;  ///< of the centre, which becomes the map origin
    double longitude = 0.0; ///<
    std::string name;       ///< Windows-1252
};

/// The data set's file of the areas.
inline constexpr const char* kMissionAreasFile = "\\terrain\\areas.lst";

/// Reads the list; none when a line is not three fields, a centre is not a number off the globe,
/// or a name is empty or longer than 63 bytes.
std::optional<std::vector<EditorArea>> missionAreasParse(std::span<const std::uint8_t> bytes);
/// The data set's areas; none when the file is missing or damaged.
std::optional<std::vector<EditorArea>> missionAreasLoad();

} // namespace q71
