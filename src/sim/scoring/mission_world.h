#pragma once
// What scoring, the replay log and the player records need of the running world: the
// entities of the world list as facts, the own boat with its inventory, carried state and
// launchers, and the support units that goals put out. The world's own
// modules install an implementation at start-up (scoringSetWorld); until then, and in tests
// that want nothing else, the world is empty.

#include "sim/services/weapon_stations.h"
#include "sim/simulation/geometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace q71 {

/// What scoring reads of one entity.
struct EntityFacts {
    std::int32_t id = 0;
    std::uint32_t recordId = 0; ///< its object-database record
    std::int32_t category = 0;  ///< its EntityCategory
    std::int32_t kind = 0;      ///< its EntityKind, the class word of the replay records
    std::int32_t stateWord = 0; ///< its controller's state word (mines, floats), 0 without one
    double hull = 1.0;          ///< remaining strength, 1.0 intact
    WorldPoint position;
};

/// An entity's place, for the geometry helpers.
inline WorldPoint worldPoint(const EntityFacts& entity) {
    return entity.position;
}

/// The support units that goal actions put out.
enum class SupportUnit {
    ShoreTeam,       ///< the surface unit "Seal-Team"; its level is the variant (1 or 2)
    RescueSubmarine, ///< the submarine unit "Dsrv"
};

/// The own boat's state that a campaign carries from one mission to the next.
struct OwnBoatCarriedState {
    std::array<bool, 5> deviceFailed{}; ///< the five two-position devices, in status-word order
    double valueP = 0.0;                ///< the first towed array's length (negative: lost)
    double valueQ = 0.0;                ///< the second towed array's length (negative: lost)
    bool sideFlag = false;              ///< which of the two arrays is the working one
    double wireValue = 0.0;             ///< the floating wire's length (negative: cut)
};

/// The seven inventory counts of the own submarine.
using Inventory = std::array<std::int32_t, 7>;

class MissionWorld {
public:
    virtual ~MissionWorld() = default;
    /// The first entity of the world list with that id, or nothing.
    virtual std::optional<EntityFacts> findEntity(std::int32_t id) const = 0;
    /// Every entity of the world list, in list order.
    virtual std::vector<EntityFacts> entities() const = 0;
    /// The own boat's id, or nothing when there is no own boat.
    virtual std::optional<std::int32_t> ownBoatId() const = 0;
    /// The own boat's speed (signed, speed units).
    virtual double ownBoatSpeed() const = 0;
    /// Flags the entity for removal by the next per-second pass.
    virtual void markForRemoval(std::int32_t id) = 0;
    /// Builds a support unit at the own boat, with an ordered course when one is given, and adds
    /// it to the world; its id, or nothing when it could not be made.
    virtual std::optional<std::int32_t> createSupportUnit(SupportUnit unit, int level,
                                                          std::optional<double> orderedCourse) = 0;

    /// The own submarine's inventory, or nothing without an own boat.
    virtual std::optional<Inventory> ownBoatInventory() const = 0;
    /// Sets the own submarine's inventory; nothing without an own boat.
    virtual void setOwnBoatInventory(const Inventory& counts) = 0;
    /// The own boat's state that campaigns carry, or nothing without an own boat.
    virtual std::optional<OwnBoatCarriedState> ownBoatCarriedState() const = 0;
    /// Puts the seven carried status words back into the own boat's motion model.
    virtual void restoreOwnBoatCampaignState(const std::array<std::int32_t, 7>& statusWords) = 0;
    /// The own boat's launchers, or nothing while they are not built.
    virtual std::optional<LauncherTables> launchers() const = 0;
};

/// Installs the world scoring works on; null installs the empty world.
void scoringSetWorld(MissionWorld* world);
/// The installed world.
MissionWorld& scoringWorld();

} // namespace q71
