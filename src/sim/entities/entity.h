#pragma once
// An entity: one simulated object of a mission (a submarine, ship, aircraft, weapon, mine,
// countermeasure, explosion or the own boat), built from one object record. It owns a motion
// model, at most one controller, its sensors and its contacts; the world lists own the entity.
// The world step calls `step` every sub-step and `updatePerSecond` once a second. Ids, not
// pointers, are what entities, messages and files keep: every reference by id goes through
// worldFindEntity.
//
// The concrete classes (ships, submarines, weapons, mines, the own boat ...) derive from it,
// set `typeCode` and build their motion model and controller in their own constructors. As in
// any constructor, the base's own slots 0 to 2 run while the base is built; a class that wants
// its own sensor set builds it after (the own boat does).

#include "framework/lists/linked_list.h"
#include "sim/entities/contact_list.h"
#include "sim/entities/contact_record.h"
#include "sim/world/object_record.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace q71 {

class ByteSink;
class ByteSource;
class EntityController;
class MotionModel;
class Sensor;

/// The concrete class of an entity.
enum EntityType : std::int32_t {
    kEntityGeneric = 1,
    kEntityExplosion = 2,
    kEntitySurfaceShip2 = 3,
    kEntityAircraft = 4,
    kEntityCountermeasure = 5,
    kEntityCountermeasure2 = 6,
    kEntityMine = 7,
    kEntityOwnShip = 8,
    kEntityMissile = 9,
    kEntitySubmarine = 10,
    kEntitySurfaceShip = 11,
    kEntityTorpedo = 12,
    kEntityTorpedo2 = 13,
    kEntityMissileCapsule = 14,
    kEntityMine2 = 15,
    kEntityMobileMine = 16,
    kEntityDepthCharge = 17,
    kEntitySubmarine2 = 18,
};

/// An entity's kind, as its class gives it.
enum EntityKind : std::int32_t {
    kKindAir = 0,        ///< aircraft and explosions
    kKindSurface = 2,    ///< surface ships
    kKindSubsurface = 3, ///< submarines and countermeasures
    kKindWeapon = 4,     ///< mines, torpedoes and mobile mines
    kKindMissile = 5,
};

/// The crew levels the behaviour and the motion laws are made for, lowest first. A level outside
/// them drives a hull's response, and a torpedo's, out of bounds.
inline constexpr std::int32_t kLowestCrewLevel = 1;
inline constexpr std::int32_t kHighestCrewLevel = 4;

/// True for a crew level a unit may be given.
constexpr bool crewLevelHolds(std::int32_t level) {
    return level >= kLowestCrewLevel && level <= kHighestCrewLevel;
}

/// One of the three weapon loads named by an entity's record.
struct EntityWeapon {
    std::uint32_t recordId = 0; ///< the weapon's record; 0 when the record names none
    double value = 0.0;         ///< the weapon record's range figure
    EntityCategory category = kCategorySub;
};

/// The eight spare words of an entity, which the support units keep their timers in.
struct EntitySpareWords {
    double creationTime = 0.0;
    double firstTimer = 0.0;
    double secondTimer = 0.0;
    std::int32_t keptEntityId = 0;
    std::int32_t reserved = 0;
};

class Entity {
public:
    /// An entity of a type name ("Whale" stands for the player's "Q71i" in the cases the world
    /// needs it); an id of −1 takes the mission's next id.
    Entity(std::int32_t side, std::string_view typeName, std::int32_t level, std::int32_t kind,
           std::int32_t id);
    /// An entity of a record id, as the mission loader and the network game make them.
    Entity(std::int32_t side, std::uint32_t recordId, std::int32_t level, std::int32_t kind, std::int32_t id);
    /// Tells the entity observers (flag 1), then frees the parts.
    virtual ~Entity();
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    // The operations in slot order (the destructor is slot 3).

    /// Hook called first while the entity is initialised.
    virtual void onInit() {}
    /// Allocates the signature cursors from the record's signature tables.
    virtual void initSignature();
    /// Builds the sensors the record names.
    virtual void createSensors();
    /// Once-a-second work: sensors, contacts, the activity cycle and the controller.
    virtual void updatePerSecond(double elapsed);
    /// One world sub-step: the motion, the signature and (own boat) the sensors.
    virtual void step(double dt);
    /// Advances the signature cursors.
    virtual void stepSignature(double dt);
    /// Recomputes every contact's track from its fixes.
    virtual void updateContacts();
    /// Adds a copy of a fix to one of a contact's fix lists.
    virtual void addContactFix(ContactRecord& contact, int sensorType, const ContactFix& fix);
    /// Takes a fix on an entity: refreshes its contact or makes a new one.
    virtual void processContact(std::int32_t entityId, std::uint32_t recordId, std::int32_t side,
                                std::int32_t kind, const ContactFix& fix, int flag);
    /// processContact with the identity of an entity and flag 1.
    virtual void processContactRecord(Entity& entity, const ContactFix& fix);
    /// The entity's own noise: from its speed and the noisy states of its motion.
    virtual int noiseLevel() const;
    /// Reads the entity's state after its class was built; false on a short or invalid input.
    virtual bool load(ByteSource& source);
    /// Writes the entity's state; false on a write error.
    virtual bool save(ByteSink& sink) const;
    /// Whether every contact the save keeps names its entity in the 16 bits the file gives it.
    bool contactIdsSavable() const;

    /// Whether the save keeps the sensors (a mobile mine not yet launched does); false here.
    virtual bool savesSensors() const { return false; }

    /// Appends a sensor (owned from now on).
    void addSensor(Sensor* sensor);
    /// The first sensor of a type (3 is looked up as 0) not flagged for deletion, or null.
    Sensor* findSensorByType(int type) const;
    /// Flags the entity for the next per-second pass, which deletes it.
    void markForRemoval();
    /// Damage from an attacker (or none): hull and systems loss, flooding, sinking, events.
    void applyDamage(double amount, Entity* attacker, bool explode, bool broadcast, bool report);
    /// Passes a value to the controller's fifth operation (a weapon's seeker order).
    void notifyController(std::int32_t value);
    /// Passes a value to the controller's seventh operation (a weapon's course step).
    void notifyController2(double value);
    /// Drops the controller with its plans and orders: from now on there is none. It is freed at
    /// the entity's next step, since the call that drops it may be running inside it.
    void discardController();
    /// Unlinks and deletes the sensors flagged for deletion.
    void deleteFlaggedSensors();
    /// Steps every sensor, last to first, and deletes those flagged for deletion on the way.
    void stepSensors(double dt);
    /// True for the player's submarine.
    bool isOwnShip() const;
    /// The contact on an entity, or null.
    ContactRecord* findContact(std::int32_t entityId) const;
    /// Drops a contact: the controller forgets it, the record is destroyed.
    void dropContact(ContactRecord* contact);
    /// The next contact number of a sensor type, which the sonar crew calls out when `announce`
    /// is set. Only the own boat numbers its contacts; every other entity answers 0.
    virtual std::int32_t nextContactNumber(int /*type*/, double /*bearing*/, bool /*announce*/) { return 0; }

    std::uint32_t recordId = 0; ///< id of the object record the entity was built from
    std::int32_t side = 0;      ///< affiliation; 4 neutral, and sides hostile as worldSidesHostile says
    std::int32_t kind = 0;      ///< an EntityKind
    std::int32_t level = 0;     ///< crew level: contact time-out, repair delay, activity cycle
    std::int32_t id = 0;        ///< unique in the mission
    std::int32_t parentId = 0;  ///< the entity that launched or caused this one; 0 when none
    /// The contact number the own boat gave this entity, per sensor type (0: none).
    std::array<std::int32_t, kSensorTypeCount> designation{};
    /// The entity's signature level per sensor type, which the own boat's arrays accumulate.
    std::array<std::int32_t, kSensorTypeCount> signatureLevel{};
    double hull = 1.0;                         ///< remaining strength, 1.0 intact
    double floodPortTime = -1.0;               ///< game time of the first flooding report; −1 while none
    double floodStarboardTime = -1.0;          ///<
    double floodAftTime = -1.0;                ///<
    double systems = 1.0;                      ///< systems state, 1.0 intact
    double repairTime = 0.0;                   ///< before this game time the entity is recovering
    std::array<std::int32_t, 3> weaponCount{}; ///< carried of each weapon load
    double lastStateSentTime = 0.0;            ///< game time the moving state last went to the peers
    double reservedValue = 0.0;                ///< carried and saved as it stands
    // The own boat's contact bookkeeping.
    double lastTrackSweepTime = 0.0;
    double ownX = 0.0, ownY = 0.0, ownPositionTime = 0.0;
    std::array<std::int32_t, 5> contactCounters{}; ///< sonar, radar, visual, ESM, merged
    std::int32_t contactSerial = 0;
    /// The own boat's weapons by weapon type, which the launchers take from and return to.
    std::array<std::int32_t, 7> inventory{8, 0, 4, 8, 0, 15, 15};
    EntitySpareWords spareWords;
    std::int32_t resolved = 0;    ///< the own boat's sonar crew told its mirror from the real source
    std::uint32_t removeFlag = 0; ///< purge at the next per-second pass
    std::int32_t maxFixes = 20;   ///< most fixes kept per contact list
    EntityCategory category = kCategorySub;
    std::array<EntityWeapon, 3> weapon{};
    std::uint8_t armour = 0;      ///< divisor of damage into hull loss
    double activeSonar = 0.0;     ///< the record's active-sonar value × 1000; above 0: active sonar
    float sensorRange = 0.0f;     ///< range figure of the sensors and the displays
    std::int32_t extraValueA = 0; ///< record values carried as they stand
    std::int32_t extraValueB = 0;
    std::int32_t extraValueC = 0;
    float noiseFactor = 0.0f; ///< loudness to the sonars (explosions and decoys change it)
    std::unique_ptr<MotionModel> motion;
    std::unique_ptr<EntityController> controller;
    LinkedList<Sensor> sensors;         ///< owned
    double contactTimeout = 0.0;        ///< seconds without a fix after which a contact is dropped
    ContactList contacts; ///< owned
    std::uintptr_t soundA = 0;          ///< samples named by the record
    std::uintptr_t soundB = 0;
    std::vector<std::int32_t> signatureCounters; ///< one per signature table
    std::vector<std::int32_t> signatureIndex;    ///< the current samples, −1 terminated
    std::vector<std::int32_t> signatureSamples;  ///< the last sample read per table
    double activityTimer = 0.0;                  ///< when the activity phase flips
    std::int32_t activityPhase = 0;              ///< 1 during the entity's short active window
    std::int32_t reported = 0;     ///< an explosion's crew report or a torpedo's announcement was made
    double lastRemoteUpdate = 0.0; ///< game time of the last network update
    std::int32_t remote = 0;       ///< driven by the network game
    std::int32_t typeCode = kEntityGeneric;

private:
    void init(const ObjectRecord* record, std::int32_t side, std::int32_t level, std::int32_t kind,
              std::int32_t id);
    void updateContactClocks(double elapsed);
    void stepActivityCycle();
    void floodOnHit(const Entity& attacker);

    std::unique_ptr<EntityController> discardedController_; // freed at the next step
};

/// The entity's position: its motion model's; the origin for an entity without one.
WorldPoint worldPoint(const Entity& entity);

/// The aspect of an entity seen from an observer, −90..90: 0 ahead or astern, ±90 on the beam.
double worldAspectAngle(const Entity& observer, const Entity& entity);

/// Takes the mission's next id, as an entity made with the id −1 does.
std::int32_t entityTakeNextId();

/// Sets the mission's id counter: the next new entity takes counter + 1 (0 at a mission's start).
void entitySetIdCounter(std::int32_t lastId);
/// The mission's id counter: the last id given.
std::int32_t entityIdCounter();

/// Before a flagged entity is deleted: every entity with a controller drops its contact on it,
/// then it is flagged for removal.
void worldPurgeEntityId(std::int32_t id);

} // namespace q71
