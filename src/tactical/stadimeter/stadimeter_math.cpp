// The stadimeter's arithmetic.
#include "tactical/stadimeter/stadimeter_math.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace q71 {
namespace {

constexpr double kRadiansPerDegree = 0.017453292519944444;

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

std::optional<double> stadimeterRange(int split, int pictureHeight, double fieldOfView, double mastHeight) {
    const double ratio = pictureHeight < 1 ? 0.0 : std::abs(split) / static_cast<double>(pictureHeight);
    if (ratio == 0.0 || mastHeight <= 0.0)
        return std::nullopt;
    const double s = std::sin(ratio * fieldOfView * kRadiansPerDegree);
    if (s <= 0.0)
        return std::nullopt;
    return 0.5 * mastHeight / s;
}

std::string stadimeterRangeText(std::optional<double> range) {
    return range ? formatted("%1.1f", *range * kStadimeterRangeFactor) : std::string();
}

std::string stadimeterMastText(double mastHeight) {
    return formatted("%1.1f", mastHeight * kStadimeterMastFactor);
}

double stadimeterHalfTurn(double degrees) {
    if (!std::isfinite(degrees))
        return 0.0;
    double a = std::fmod(degrees, 360.0);
    if (a <= -180.0)
        a += 360.0;
    else if (a > 180.0)
        a -= 360.0;
    return a;
}

double stadimeterFullTurn(double degrees) {
    if (!std::isfinite(degrees))
        return 0.0;
    double a = std::fmod(degrees, 360.0);
    if (a < 0.0)
        a += 360.0;
    return a >= 360.0 ? 0.0 : a;
}

std::string stadimeterAspectText(double yaw, std::string_view port, std::string_view starboard) {
    const double a = stadimeterHalfTurn(yaw + 180.0);
    if (a == 0.0 || a == 180.0)
        return formatted("%1.0f", a);
    const std::string_view word = a < 0.0 ? starboard : port;
    return std::string(word) + formatted(" %1.0f", std::abs(a));
}

std::vector<StadimeterShipType> stadimeterShipTypes(const std::vector<StadimeterShipType>& named,
                                                    const std::vector<StadimeterRecord>& records) {
    std::vector<StadimeterShipType> types;
    const auto mastOf = [&records](std::string_view key) -> double {
        for (const StadimeterRecord& r : records)
            if (r.key.size() == key.size() &&
                std::equal(r.key.begin(), r.key.end(), key.begin(), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                }))
                return r.mastHeight;
        return 0.0;
    };
    for (const StadimeterShipType& type : named)
        if (types.size() < kStadimeterMaxTypes && !type.label.empty() && mastOf(type.key) > 0.0)
            types.push_back(type);
    for (const StadimeterRecord& r : records)
        if (types.size() < kStadimeterMaxTypes && r.mastHeight > 0.0)
            types.push_back({std::string(r.key), std::string(r.displayName)});
    return types;
}

int stadimeterClampSplit(int rows, int pictureHeight) {
    if (pictureHeight <= 0)
        return 0;
    return std::clamp(rows, 1 - pictureHeight, pictureHeight - 1);
}

StadimeterPan stadimeterClampPan(StadimeterPan pan, int pictureWidth, int pictureHeight, int split, int width,
                                 int height) {
    const int hx = (pictureWidth - width) / 2;
    pan.x = -hx < hx ? std::clamp(pan.x, -hx, hx) : 0;
    const int hy = (pictureHeight - height) / 2;
    const int lo = std::max(split, 0) - hy, hi = hy + std::min(split, 0);
    pan.y = lo < hi ? std::clamp(pan.y, lo, hi) : (lo + hi) / 2;
    return pan;
}

} // namespace q71
