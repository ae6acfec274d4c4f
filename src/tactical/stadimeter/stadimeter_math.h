#pragma once
// What the stadimeter works out apart from its windows: the range from the split of the picture,
// the angle on the bow from the silhouette's yaw, the readouts, the list of ship types it knows,
// and how far the split picture may be moved.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// Yards to the unit the range and mast readouts show (1760 / 1852).
inline constexpr double kStadimeterRangeFactor = 0.9503239740820734;
/// Mast height (yards) to its readout: 3 × 1760 / 1852.
inline constexpr double kStadimeterMastFactor = 2.8509719222462203;

/// The range (yards) of a ship of that mast height (yards) when its masthead in one half of the
/// picture meets its waterline in the other `split` rows away, in a picture `pictureHeight` rows
/// high spanning `fieldOfView` degrees; none at split 0, without a picture or without a mast.
std::optional<double> stadimeterRange(int split, int pictureHeight, double fieldOfView, double mastHeight);
/// The range readout ("%1.1f" of the range × 0.9503); empty without a range.
std::string stadimeterRangeText(std::optional<double> range);
/// The mast readout ("%1.1f" of the mast height × 2.851).
std::string stadimeterMastText(double mastHeight);

/// An angle brought into (−180, 180] by steps of 360.
double stadimeterHalfTurn(double degrees);
/// An angle brought into [0, 360).
double stadimeterFullTurn(double degrees);
/// The angle on the bow of a ship shown at that yaw: "180" or "0" dead astern or ahead, else the
/// side's word (`starboard` for the negative side) and the angle.
std::string stadimeterAspectText(double yaw, std::string_view port, std::string_view starboard);

/// A type of ship the stadimeter ranges: its object key and the label shown.
struct StadimeterShipType {
    std::string key;
    std::string label;
};
/// A record the list is made from: key, display name and mast height (yards).
struct StadimeterRecord {
    std::string_view key;
    std::string_view displayName;
    double mastHeight;
};
/// At most this many types are listed.
inline constexpr std::size_t kStadimeterMaxTypes = 120;
/// The ship types: first the named ones (key, label; a missing label or a key whose record has no
/// mast leaves one out), then every record with a mast in the records' order, at most 120.
std::vector<StadimeterShipType> stadimeterShipTypes(const std::vector<StadimeterShipType>& named,
                                                    const std::vector<StadimeterRecord>& records);

/// The split (rows) kept within the picture: 0 without a picture, else within ±(height − 1).
int stadimeterClampSplit(int rows, int pictureHeight);

/// Where the picture may be moved in a window of (width, height): the pan that shows no more
/// than the picture, with the split's displaced half taken into account.
struct StadimeterPan {
    int x = 0;
    int y = 0;
};
StadimeterPan stadimeterClampPan(StadimeterPan pan, int pictureWidth, int pictureHeight, int split, int width,
                                 int height);

} // namespace q71
