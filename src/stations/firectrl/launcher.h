#pragma once
// A weapon station of the own boat: a torpedo tube or a vertical-launch cell. It holds its weapon
// type, the contact or route the operator gave it, its waypoints, and whether it has fired. The
// own-ship set-up makes the sixteen stations (through the simulation's weapon-stations service),
// the fire-control screens read and change them, and a saved mission keeps them.

#include "framework/lists/linked_list.h"
#include "sim/services/weapon_stations.h"
#include "stations/firectrl/launch_waypoint.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

namespace q71 {

/// Length of a launcher's target name, terminator included.
inline constexpr std::size_t kTargetNameSize = 255;

struct ContactDesignation;
struct ContactRecord;

/// Adds a signed amount to the own boat's stock of a weapon type (0 to 3); nothing for Empty,
/// another value, or without an own boat.
void adjustWeaponInventory(std::int32_t amount, std::int32_t type);
/// The own boat's stock of a weapon type (0 to 3); 0 for another type or without an own boat.
std::int32_t weaponStock(std::int32_t type);
/// The own boat's stock of countermeasures of kind A (0) or B (1); 0 for another kind or without
/// an own boat.
std::int32_t countermeasureStock(int kind);
/// Adds a signed amount to the own boat's stock of countermeasures of kind A (0) or B (1).
void adjustCountermeasureStock(std::int32_t amount, int kind);

/// The number a contact is shown with: that of the highest sensor type that numbered it.
std::int32_t contactShownNumber(const ContactDesignation& designation);
/// The own boat's contact shown with a designation number, or null (also without an own boat).
ContactRecord* launcherFindContact(std::int32_t designationNumber);

class Launcher : public WeaponLauncher {
public:
    /// A station with its number (shown to the user) and tag ('T' tube, 'V' cell), loaded Empty.
    Launcher(int number, char tag);
    /// Deletes every waypoint.
    ~Launcher() override;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    /// Computes the settings of the loaded weapon for its target when crew assistance is on.
    virtual void loadPresets() {}
    /// Whether the station can hold a weapon type.
    virtual bool holdsType(std::int32_t type) const = 0;

    int number() const override { return number_; }
    std::int32_t weaponType() const override { return weaponType_; }
    /// Loads another type (one the station cannot hold is refused): unless unlimited weapons are
    /// on, one weapon of the old type goes back to the inventory and one of the new is taken;
    /// then the presets are loaded. The counter is not checked: the weapon selectors do that.
    void setWeaponType(std::int32_t type) override;
    void setTarget(std::int32_t newTarget) override { target = newTarget; }

    /// ADCAP, Harpoon and Empty: a target is assigned; SLMM and Tomahawk: a route has a point.
    bool isReady() const;

    // The waypoint list.

    /// Links a waypoint after the last one (the first after the chart's own-ship symbol when a
    /// chart exists) and appends it; the launcher owns it from now on.
    void appendWaypoint(LaunchWaypoint* waypoint);
    /// An aim point at a world position snapped to whole arc-minutes, shown on the chart.
    void addAimPoint(double x, double y);
    /// A route of four points from a start to an end (the quarter, middle, three-quarter and end
    /// points, snapped to whole arc-minutes), at depth 50 and speed 460, the end labelled with the
    /// station; shown on the chart.
    void addRoute(double startX, double startY, double endX, double endY);
    /// Deletes every waypoint.
    void clearWaypoints();
    /// Shows or hides every waypoint (hiding also unselects).
    void showWaypoints(bool visible);
    void hideWaypoints() { showWaypoints(false); }
    void showAllWaypoints() { showWaypoints(true); }
    /// Shows the waypoints on a chart that is being built, the first after its own-ship symbol.
    void attachWaypoints();
    /// The last waypoint, or null.
    LaunchWaypoint* lastWaypoint() const;

    std::int32_t target = kTargetNotAssigned; ///< designation number, −1 none, or kTargetNotAssigned
    std::array<char, kTargetNameSize> targetName{};
    LinkedList<LaunchWaypoint> waypoints; ///< owned
    char tag = 'T';
    std::int32_t launched = 0; ///< set by every fire order

protected:
    /// Writes the count and every waypoint's record.
    bool saveWaypoints(ByteSink& sink) const;
    /// Reads a count and that many waypoint records; false on a short or damaged input, with
    /// nothing kept.
    static bool readWaypoints(ByteSource& source, std::vector<std::unique_ptr<LaunchWaypoint>>& out);
    /// Replaces the waypoints by loaded ones, hidden.
    void takeWaypoints(std::vector<std::unique_ptr<LaunchWaypoint>>& loaded);
    /// Stores a type without touching the inventory or the presets (set-up defaults and loads).
    void storeWeaponType(std::int32_t type) { weaponType_ = type; }
    /// Writes 32-bit values; false on a write error.
    static bool writeWords(ByteSink& sink, std::initializer_list<std::int32_t> words);
    /// Reads 32-bit values; false on a short input.
    static bool readWords(ByteSource& source, std::span<std::int32_t> words);

private:
    void deleteWaypoints();

    int number_;
    std::int32_t weaponType_ = kWeaponEmpty;
};

} // namespace q71
