#pragma once
// The behaviour of one entity: a list of timed plans, each with a mode and its own list of
// orders (mostly waypoints), the behaviour state, and the target chosen among the entity's
// contacts. The entity's per-second pass drives it; the ship, submarine, aircraft, mine,
// countermeasure and weapon controllers derive from it and give each state its behaviour.

#include "framework/lists/linked_list.h"
#include "framework/lists/pooled_list_nodes.h"
#include "sim/simulation/geometry.h"

#include <array>
#include <cstdint>

namespace q71 {

class ByteSink;
class ByteSource;
class Entity;
struct ContactRecord;

/// Controller states, shared by plan modes, order types and contact reactions (1 to 19).
enum ControllerState : std::int32_t {
    kStateStop = 1,           ///< hold still
    kStateTransit = 2,        ///< run the orders once through
    kStateWaypointLoop3 = 3,  ///< cyclic waypoint
    kStateRandomArea = 4,     ///< a point drawn in the plan's area, followed by a new one
    kStateSearchTransit = 7,  ///< a transit searching with the active sonar
    kStateBoxPatrol = 5,      ///< cyclic waypoint: the corners of a patrol area
    kStateRandomPatrol = 8,   ///< cyclic waypoint of the mode-8 pattern
    kStateSpiralPatrol = 9,   ///< cyclic waypoint of the mode-9 pattern
    kStateHold = 13,          ///< an order that stays when reached
    kStateOutOfWeapons = 16,  ///< an armed platform whose stores are empty
    kStateIdle = 17,          ///< no tasking
    kStateWaypointLoop19 = 19 ///< cyclic waypoint
};

/// Size of the saved state block and of an order and a plan's parameters.
inline constexpr std::size_t kControllerStateBlockSize = 224;
inline constexpr std::size_t kControllerOrderSize = 104;
inline constexpr std::size_t kPlanParameterSize = 88;

/// One order of a plan (104 bytes in a saved mission).
struct ControllerOrder {
    std::int32_t type = 0;          ///< a state code
    std::int32_t hasSpeedDepth = 0; ///< 1 when the order carries a speed and a depth
    std::int32_t parameter = 0;     ///< usually the id of the entity the order concerns
    double dueTime = 0.0;           ///< game time at queueing plus the delay
    double x = 0.0, y = 0.0;        ///< the order's point, metres
    double depth = 0.0;             ///< ordered depth given with the order
    double speed = 0.0;             ///< ordered speed given with the order
};

/// The order's point.
inline WorldPoint worldPoint(const ControllerOrder& order) {
    return {order.x, order.y, 0.0};
}

/// The parameters of a plan's mode: an area and pattern values, filled by the scenario reader.
struct PlanParameters {
    std::array<std::uint8_t, kPlanParameterSize> bytes{};

    double areaX() const { return value(16); }
    double areaY() const { return value(24); }
    double areaWidth() const { return value(32); }  ///< yards
    double areaHeight() const { return value(40); } ///< yards
    double areaOrientation() const { return value(64); } ///< degrees
    /// The double at a byte offset of the block (0 to 80).
    double value(std::size_t offset) const;
    /// Sets the double at a byte offset of the block (0 to 80).
    void setValue(std::size_t offset, double v);
};

/// A plan's orders. Their nodes come from the list's own store and are reused: a controller at
/// an attack queues and drops orders every few seconds.
using OrderList = LinkedList<ControllerOrder, PooledListNodes<ControllerOrder>>;

/// A timed plan: from its start time on, the controller follows its mode and orders.
struct ControllerPlan {
    ControllerPlan() = default;
    ~ControllerPlan() { orders.deleteAll(); }
    ControllerPlan(const ControllerPlan&) = delete;
    ControllerPlan& operator=(const ControllerPlan&) = delete;

    double startTime = 0.0;
    std::int32_t mode = 0;
    OrderList orders; ///< owned; the head is the current order
    PlanParameters params;
};

class EntityController {
public:
    /// A controller of an owner: its level (an unarmed owner of level 2 or more counts as level
    /// 1), state and mode 17, and one random factor drawn.
    explicit EntityController(Entity& owner);
    virtual ~EntityController();
    EntityController(const EntityController&) = delete;
    EntityController& operator=(const EntityController&) = delete;

    // The operations in slot order.

    /// Chooses the state and the target among the owner's hostile contacts.
    virtual void selectTarget();
    /// Runs the behaviour of a state; nothing here.
    virtual void actOnTarget(std::int32_t /*state*/) {}
    /// Called once for each contact the owner makes; posts the detection event.
    virtual void postEncounterEvent(ContactRecord& contact, int relayFlag);
    /// The per-second pass: activates a plan whose time has come, chooses and acts.
    virtual void update(double elapsed);
    /// Whether the owner carries a seeker (weapons); 0 here.
    virtual int hasSeeker() { return 0; }
    /// Arms (non-zero) or disarms (0) a weapon's seeker; nothing here.
    virtual void configureSeeker(std::int32_t /*on*/) {}
    /// Whether a weapon's guidance wire is connected; 0 here.
    virtual int isWireConnected() { return 0; }
    /// Turns a wire-guided weapon's preset course by a signed step; nothing here.
    virtual void stepGuidance(double /*step*/) {}
    /// Reads the controller with its plans; false on a short or invalid input.
    virtual bool load(ByteSource& source);
    /// Writes the controller with its plans; false on a write error.
    virtual bool save(ByteSink& sink) const;

    /// Queues an order at the head of the active plan's list, so that it is the current order.
    void queueOrder(std::int32_t type, std::int32_t parameter, double delay, double x, double y, double speed,
                    double depth);
    /// Queues an order at a bearing (degrees) and range (yards) from a point, without speed and depth.
    void queueOrderAtOffset(std::int32_t type, std::int32_t parameter, const WorldPoint& origin, double delay,
                            double bearing, double range);
    /// The type of the current order when the owner has just reached it (cyclic orders go to the
    /// tail, holds stay, others are consumed), else 0.
    std::int32_t advanceWaypoint();
    /// Orders the owner's course to the current order's point, and its speed and depth with it.
    void steerToOrder();
    /// Forgets a contact the owner drops: its orders go and it is no longer the target.
    void forgetContact(const ContactRecord& contact);
    /// Shares a contact's latest fix with the nearest friendly surface platform and aircraft;
    /// 1 when one of them has weapons left in its second store.
    int relayContact(const ContactRecord& contact);
    /// Frees every plan with its orders.
    void freePlans();
    /// Appends a plan (owned from now on); the plan cursor moves onto it, as an append does.
    void addPlan(ControllerPlan* plan);
    /// Makes the plan under the cursor the active one.
    void activatePlanUnderCursor();
    /// The current order of the active plan, or null.
    ControllerOrder* currentOrder() const;

    Entity& owner() const { return *owner_; }

    std::int32_t level = 0;        ///< 1 lowest to 4 highest
    std::int32_t state = kStateIdle;
    std::int32_t planMode = kStateIdle;
    double randomFactor = 0.0;     ///< 0 to 1, drawn at construction
    OrderList* activeOrders = nullptr; ///< of the active plan, or null
    PlanParameters* activeParams = nullptr;              ///< of the active plan, or null
    LinkedList<ControllerPlan> plans; ///< owned; the cursor stands on the next plan to activate
    ContactRecord* target = nullptr;  ///< the chosen contact (not owned), or null

    /// A weapon's guidance: true once its seeker is armed (the enable run is over); false here.
    /// The fire-control chart colours the seeker's cone by it.
    virtual bool seekerArmed() const { return false; }

protected:
    /// Disposes of an order taken out of the active plan's list: kept for the next one queued,
    /// or deleted when enough are kept.
    void retireOrder(ControllerOrder* order);

    /// The subclass's part of the saved state block, bytes 24 to 223.
    virtual void saveSubclassState(std::array<std::uint8_t, kControllerStateBlockSize>& /*block*/) const {}
    /// Takes the subclass's part back from a loaded block; false when it is damaged.
    virtual bool loadSubclassState(const std::array<std::uint8_t, kControllerStateBlockSize>& /*block*/) {
        return true;
    }

private:
    static constexpr std::size_t kSpareOrders = 4;

    Entity* owner_;
    std::array<ControllerOrder*, kSpareOrders> spareOrders_{}; // owned, the first spareOrderCount_
    std::size_t spareOrderCount_ = 0;
};

} // namespace q71
