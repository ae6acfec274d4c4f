#include "tactical/charts/chart_window.h"

#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "platform/resources/program_resources.h"
#include "sim/world/dem_grid.h"
#include "tactical/charts/chart_lat_long.h"

#include <array>
#include <cmath>
#include <optional>
#include <span>

namespace q71 {
namespace {

constexpr double kKmPerNauticalMile = 1.8288; // 2000 yards
constexpr double kFeetPerNauticalMile = 6000.0;

enum TextId : int {
    kKilometres = 162,
    kMetresBar = 163,
    kNauticalMiles = 164,
    kDegreesBar = 166,
    kMinutesBar = 167,
    kSecondsBar = 168,
    kRangeKm = 169,
    kRangeM = 170,
    kRangeNm = 171,
    kBearing = 173,
    kYardsBar = 174,
    kRangeYd = 175,
    kNauticalBelow = 373,
    kNauticalAbove = 374,
    kNoElevation = 375,
    kNorth = 376,
    kSouth = 377,
    kEast = 378,
    kWest = 379,
    kZoomInKeys = 380,
    kZoomOutKeys = 381,
    kMetricBelow = 382,
    kMetricAbove = 383,
    kCentreKeys = 386,
    kScaleBarKeys = 487,
    kGridKeys = 488,
    kMeasureKeys = 493,
    kReadoutKeys = 671,
};

struct ScaleRow {
    int numerator;
    int denominator;
    int text;
};

constexpr std::array<ScaleRow, 13> kKilometreRows{{{1000, 1, kKilometres},
                                                   {500, 1, kKilometres},
                                                   {100, 1, kKilometres},
                                                   {50, 1, kKilometres},
                                                   {10, 1, kKilometres},
                                                   {5, 1, kKilometres},
                                                   {1, 1, kKilometres},
                                                   {500, 1000, kMetresBar},
                                                   {100, 1000, kMetresBar},
                                                   {50, 1000, kMetresBar},
                                                   {10, 1000, kMetresBar},
                                                   {5, 1000, kMetresBar},
                                                   {1, 1000, kMetresBar}}};
constexpr std::array<ScaleRow, 13> kNauticalRows{{{1000, 1, kNauticalMiles},
                                                  {500, 1, kNauticalMiles},
                                                  {100, 1, kNauticalMiles},
                                                  {50, 1, kNauticalMiles},
                                                  {10, 1, kNauticalMiles},
                                                  {5, 1, kNauticalMiles},
                                                  {1, 1, kNauticalMiles},
                                                  {500, 2000, kYardsBar},
                                                  {100, 2000, kYardsBar},
                                                  {50, 2000, kYardsBar},
                                                  {10, 2000, kYardsBar},
                                                  {5, 2000, kYardsBar},
                                                  {1, 2000, kYardsBar}}};
constexpr std::array<ScaleRow, 12> kGeographicRows{{{720, 1, kDegreesBar},
                                                    {180, 1, kDegreesBar},
                                                    {30, 1, kDegreesBar},
                                                    {10, 1, kDegreesBar},
                                                    {5, 1, kDegreesBar},
                                                    {1, 1, kDegreesBar},
                                                    {10, 60, kMinutesBar},
                                                    {5, 60, kMinutesBar},
                                                    {1, 60, kMinutesBar},
                                                    {10, 3600, kSecondsBar},
                                                    {5, 3600, kSecondsBar},
                                                    {1, 3600, kSecondsBar}}};

struct ScaleTable {
    std::span<const ScaleRow> rows;
    double factor; ///< table units per km (per minute of arc on a geographic grid)
};

struct ScaleChoice {
    const ScaleRow* row;
    double pixels; ///< the bar's length
};

std::optional<ScaleChoice> chooseScale(const ScaleTable& table, double kmPerPixel, int maxPixels) {
    const double perPixel = table.factor * kmPerPixel;
    const double span = perPixel * maxPixels * 0.5;
    if (!(perPixel > 0))
        return std::nullopt;
    for (const ScaleRow& row : table.rows) {
        const double value = static_cast<double>(row.numerator) / row.denominator;
        if (value <= span)
            return ScaleChoice{&row, value / perPixel};
    }
    return std::nullopt;
}

// Geographic grids count in degrees, minutes and seconds; others in nautical or metric units.
ScaleTable scaleTable(bool geographic, bool nautical) {
    if (geographic)
        return {kGeographicRows, 1.0 / 60.0};
    return nautical ? ScaleTable{kNauticalRows, 1.0 / kKmPerNauticalMile} : ScaleTable{kKilometreRows, 1.0};
}

} // namespace

ChartWindow::ChartWindow(WindowHandle parentWindow, int x, int y, int width, int height, const DemGrid* grid,
                         std::span<const ChartBand> bands)
    : MapPlot(parentWindow, x, y, width, height, grid, bands) {
    name_ = "ChartWindow";
    setShadowOffset(-1, 1);
    scaleBarShown_ = true;
    gridShown_ = false;
    measureEnabled_ = true;
    readoutLatched_ = true;
    setFonts(appInterfaceFont(kTextFont));
    Characters& keys = characters();
    keys.zoomIn = textCopy(kZoomInKeys);
    keys.zoomOut = textCopy(kZoomOutKeys);
    keys.panXMinus = keys.panXPlus = keys.panYMinus = keys.panYPlus = "";
    keys.centre = textCopy(kCentreKeys);
    keys.scaleBar = textCopy(kScaleBarKeys);
    keys.gridLines = textCopy(kGridKeys);
    keys.measure = textCopy(kMeasureKeys);
    keys.readout = textCopy(kReadoutKeys);
    setDefaultSteps(4);
    setZoomCursor(resourceLoadCursor(kZoomCursor));
}

bool ChartWindow::geographicGrid() const {
    return grid() && projIsGeographic(grid()->projection.get());
}

bool ChartWindow::scaleBarLabel(double kmPerPixel, int maxPixels, int* length, std::string* label) {
    const auto choice = chooseScale(scaleTable(geographicGrid(), nautical_), kmPerPixel, maxPixels);
    if (!choice)
        return false;
    if (length)
        *length = static_cast<int>(std::lround(choice->pixels));
    if (label)
        *label = textFormatted(choice->row->text, choice->row->numerator);
    return true;
}

bool ChartWindow::scaleBarLength(double kmPerPixel, int maxPixels, double* length) {
    const auto choice = chooseScale(scaleTable(geographicGrid(), nautical_), kmPerPixel, maxPixels);
    if (!choice)
        return false;
    if (length)
        *length = choice->pixels;
    return true;
}

bool ChartWindow::formatRangeBearing(double rangeKm, double bearing, std::string* range,
                                     std::string* bearingText) {
    if (!(rangeKm > 0))
        return false;
    if (range) {
        if (geographicGrid()) {
            range->clear();
        } else if (nautical_) {
            const double miles = rangeKm / kKmPerNauticalMile;
            *range = miles >= 1.0 ? textFormatted(kRangeNm, miles) : textFormatted(kRangeYd, miles * 2000.0);
        } else {
            *range = rangeKm >= 1.0 ? textFormatted(kRangeKm, rangeKm) : textFormatted(kRangeM, rangeKm * 1000.0);
        }
    }
    if (bearingText)
        *bearingText = textFormatted(kBearing, bearing >= 359.95 ? 0.0 : bearing);
    return true;
}

bool ChartWindow::formatLatLong(double gx, double gy, std::string* text) {
    ChartLatLong at;
    if (!chartLatLong(grid(), gx, gy, at))
        return false;
    if (!text)
        return true;
    const std::string lat = textCopy(at.north ? kNorth : kSouth);
    const std::string lon = textCopy(at.east ? kEast : kWest);
    double elevation = 0;
    int id = kNoElevation;
    double value = 0.0;
    if (demSample(grid(), gx, gy, &elevation)) {
        if (nautical_) {
            id = elevation < 0 ? kNauticalBelow : kNauticalAbove;
            value = std::fabs(elevation) * 0.001 / kKmPerNauticalMile * kFeetPerNauticalMile;
        } else {
            id = elevation < 0 ? kMetricBelow : kMetricAbove;
            value = std::fabs(elevation);
        }
    }
    *text = textFormatted(id, at.latDegrees, at.latMinutes, lat, at.lonDegrees, at.lonMinutes, lon, value);
    return true;
}

} // namespace q71
