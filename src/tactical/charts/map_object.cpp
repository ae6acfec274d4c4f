#include "tactical/charts/map_object.h"

#include "sim/world/dem_grid.h"
#include "sim/world/terrain_world.h"
#include "tactical/charts/chart_view.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace q71 {
namespace {

std::string formatAngle(double value, int degreeWidth, char positive, char negative) {
    const double magnitude = std::fabs(value);
    int degrees = static_cast<int>(magnitude);
    // Thousandths of a minute, so that a typed position comes back as it was written.
    long thousandths = std::lround((magnitude - degrees) * 60000.0);
    if (thousandths >= 60000) {
        ++degrees;
        thousandths -= 60000;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%0*d-%02ld.%03ld %c", degreeWidth, degrees, thousandths / 1000,
                  thousandths % 1000, value < 0 ? negative : positive);
    return text;
}

bool readNumber(const char*& p, double& value) {
    char* end = nullptr;
    value = std::strtod(p, &end);
    if (end == p || !std::isfinite(value))
        return false;
    p = end;
    return true;
}

void skipSeparators(const char*& p) {
    // The degree sign in Windows-1252, UTF-8's lead byte of it, dashes, quotes and spaces.
    while (*p == ' ' || *p == '-' || *p == '\'' || *p == '"' || *p == '\xB0' || *p == '\xC2')
        ++p;
}

} // namespace

bool mapParseAngle(const std::string& text, bool latitude, double& degrees) {
    const char* p = text.c_str();
    while (*p == ' ')
        ++p;
    const bool negativeSign = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    double whole = 0.0, minutes = 0.0;
    if (!std::isdigit(static_cast<unsigned char>(*p)) || !readNumber(p, whole))
        return false;
    skipSeparators(p);
    if (std::isdigit(static_cast<unsigned char>(*p))) {
        if (whole != std::floor(whole) || !readNumber(p, minutes) || minutes < 0.0 || minutes >= 60.0)
            return false;
        skipSeparators(p);
    }
    bool negative = negativeSign;
    if (*p) {
        const char h = static_cast<char>(std::toupper(static_cast<unsigned char>(*p++)));
        const bool valid = latitude ? (h == 'N' || h == 'S') : (h == 'E' || h == 'O' || h == 'W');
        if (!valid || negativeSign)
            return false;
        negative = h == 'S' || h == 'O' || h == 'W';
        while (*p == ' ')
            ++p;
        if (*p)
            return false;
    }
    const double value = whole + minutes / 60.0;
    if (value > (latitude ? 90.0 : 180.0))
        return false;
    degrees = negative ? -value : value;
    return true;
}

bool MapObject::formatLatLong(std::string& latitude, std::string& longitude) const {
    double lat = 0, lon = 0;
    const DemGrid* grid = worldGrid();
    if (!grid || !demGridToLatLong(grid, x(), y(), &lat, &lon) || !std::isfinite(lat) || !std::isfinite(lon))
        return false;
    lon -= std::floor((lon + 180.0) / 360.0) * 360.0;
    latitude = formatAngle(lat, 2, 'N', 'S');
    longitude = formatAngle(lon, 3, 'E', 'O');
    return true;
}

bool MapObject::setLatLong(const std::string& latitude, const std::string& longitude) {
    double lat = 0, lon = 0, column = 0, row = 0;
    const DemGrid* grid = worldGrid();
    if (!grid || !mapParseAngle(latitude, true, lat) || !mapParseAngle(longitude, false, lon) ||
        !demLatLongToGrid(grid, lat, lon, &column, &row))
        return false;
    if (!(column >= 0.0 && row >= 0.0 && column <= grid->width - 1 && row <= grid->height - 1))
        return false;
    double worldX = 0, worldY = 0;
    if (!gridToWorld(column, row, &worldX, &worldY))
        return false;
    moveTo(worldX, worldY, nullptr); // a route point takes its legs along
    return true;
}

bool MapObject::viewPosition(const ChartView& view, Point& out) const {
    if (!view.grid())
        return false;
    out = view.getTransform().toPixel(x(), y());
    return true;
}

} // namespace q71
