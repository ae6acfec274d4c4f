#include "editor/missioneditor/mission_areas.h"

#include "platform/files/locations.h"
#include "platform/files/path.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>

namespace q71 {
namespace {

constexpr size_t kLongestName = 63;

std::optional<double> number(std::string_view field) {
    const std::string text(field);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::vector<EditorArea>> missionAreasParse(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<EditorArea> areas;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const size_t tab1 = line.find('\t');
        const size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string_view::npos)
            return std::nullopt;
        const auto latitude = number(line.substr(0, tab1));
        const auto longitude = number(line.substr(tab1 + 1, tab2 - tab1 - 1));
        const std::string_view name = line.substr(tab2 + 1);
        if (!latitude || !longitude || std::fabs(*latitude) > 90.0 || std::fabs(*longitude) > 180.0 ||
            name.empty() || name.size() > kLongestName || name.find('\t') != std::string_view::npos)
            return std::nullopt;
        areas.push_back({*latitude, *longitude, std::string(name)});
    }
    return areas;
}

std::optional<std::vector<EditorArea>> missionAreasLoad() {
    std::ifstream in(fileResolvePath(locationDataRoot() + kMissionAreasFile), std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return missionAreasParse(bytes);
}

} // namespace q71
