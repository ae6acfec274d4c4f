#pragma once
// The player's submarine (type 8): a submarine of the own boat's record with the own boat's
// motion, no controller, and its own receivers: the bow and flank arrays, the active and
// intercept sonars, the ESM receiver and, while a towed array is out, the towed-array sonar.
// It keeps the contact list the sonar, TMA and fire-control stations show: every entity its
// sensors hold gets a designation (the sensor's letter and a number 1 to 99) and a contact
// record with one list of fixes per sensor type, from which the crew (when the player lets it)
// works out each contact's range, course and speed.

#include "sim/entities/types/submarine_entity.h"
#include "sim/entities/types/tma_sources.h"

#include <cstdint>

namespace q71 {

class ActiveSonar;
class EsmSensor;
class InterceptSonar;
class OwnShipMotion;
class PassiveArray0;
class PassiveArray1;
class PassiveArray2;

/// The crew-assistance station of the target motion analysis.
inline constexpr int kTmaAssistStation = 1;

/// What a receiver's tracker reports of the source it follows.
struct DetectionReport {
    std::int32_t sensorType = 0;
    std::int32_t entityId = 0; ///< negative for a towed array's mirror image
    double bearing = 0.0;      ///< degrees
    double range = 0.0;        ///< yards; 0 when unknown
    double course = -1.0;      ///< degrees; −1 when unknown
    double speed = -1.0;       ///< speed units; −1 when unknown
    std::uint8_t quality = 0;  ///< 0 to 100
};

struct TrackSlot;

/// What a tracker reports of the source it follows: a towed array's mirror source (negative id)
/// as the mirror's sensor type, the level as the quality.
DetectionReport trackerDetectionReport(const TrackSlot& tracker);

class OwnShipEntity final : public SubmarineEntity {
public:
    /// The own submarine of the record "Q71i", on a side, at a crew level, with an id (−1: the
    /// mission's next), which becomes the mission's own-submarine id. Not yet in the world.
    OwnShipEntity(std::int32_t side, std::int32_t level, std::int32_t id);
    ~OwnShipEntity() override;

    // The operations the own boat replaces.

    /// The own receivers, as the record's sonar and ESM figures give them.
    void createSensors() override;
    /// Reports what the arrays' trackers hold, closes the arrays' fixes every two minutes, and
    /// moves the contacts on: by the crew's solution when it assists the TMA station, else by
    /// dead reckoning.
    void updateContacts() override;
    /// Takes a fix of one of the own sensors on an entity into the contact of that entity's
    /// designation for the sensor type; the arrays' fixes count only while a tracker holds the entity.
    void processContact(std::int32_t entityId, std::uint32_t recordId, std::int32_t side, std::int32_t kind,
                        const ContactFix& fix, int flag) override;
    /// The next contact number of a sensor type (1 to 99, then 1 again); types without numbers give
    /// 0. A new sonar number is called out by the sonar operator when `announce` is set.
    std::int32_t nextContactNumber(int type, double bearing, bool announce) override;
    /// Reads the entity, then the arrays' receivers (the towed array's when one was out).
    bool load(ByteSource& source) override;
    /// Writes what load reads.
    bool save(ByteSink& sink) const override;

    // What the receivers and the stations call.

    /// Passes a tracker's report on to registerContact.
    void reportDetection(const DetectionReport& report);
    /// Registers a detection of an entity (by |entityId|) by a sensor type: its designation for the
    /// type is given on first detection, a contact record made for it when there is none, and a fix
    /// at that bearing and range (yards) from the receiver taken into it. A course or speed of −1
    /// stands for unknown.
    void registerContact(int type, std::int32_t entityId, double bearing, double range, double course,
                         double speed, std::uint8_t quality);
    /// Makes a contact record with empty fix lists for a sensor type and number unless one has that
    /// number already; true when one had it.
    bool isContactNumberUsed(int type, std::int32_t number, std::uint32_t contactRecordId, double bearing,
                             double range, double course, double speed);
    /// Ends the running fix of every contact for a sensor type: the next report starts a new one.
    void closeSensorTracks(int type);
    /// The crew's solution of every contact from its fixes, as good as the TMA crew's level.
    void autoSolve();
    /// The receiver of a sensor type: 0 the towed array, 1 (and 7) the flank arrays, 2 the bow
    /// array, 4 the active sonar, 5 the intercept sonar, 11 the ESM receiver; null for any other.
    Sensor* ownShipSensorByType(int type) const;
    /// Makes the towed-array sonar when there is none.
    void makeArraySonar();
    /// Removes and deletes the towed-array sonar when there is one.
    void dropArraySonar();

    OwnShipMotion* ownMotion = nullptr; ///< the motion model, also `motion`
    PassiveArray2* array2 = nullptr;
    PassiveArray1* array1 = nullptr;
    PassiveArray0* array0 = nullptr; ///< only while a towed array is out
    ActiveSonar* activeUnit = nullptr;
    InterceptSonar* interceptUnit = nullptr;
    EsmSensor* esmUnit = nullptr;
    TmaSources tmaSources; ///< the TMA plot's choice of fixes (not saved)

private:
    ContactRecord* contactNumbered(int type, std::int32_t number) const;
    std::int32_t designate(int type, Entity* entity, double bearing, double range, double course,
                           double speed);
    void mergeArrayFix(ContactFix& into, const ContactFix& fix) const;
    void reportTrackers();
    bool ownPositionStored() const { return ownX != -1.0 || ownY != -1.0; }
    void deadReckonFromStoredPosition(ContactRecord& contact) const;
    void solveFromFixes(ContactRecord& contact, int type, int assistLevel, bool courseChanged);

    double solvedOrderedCourse_ = 0.0; // the own ordered course at the crew's last solution
};

/// The world's own boat as the player's submarine, or null (none, or a boat of another class).
OwnShipEntity* worldOwnSubmarine();

/// The world's own submarine when it has its motion model (the stations' controls and readouts
/// work it), or null.
OwnShipEntity* worldOwnSubmarineWithMotion();

/// The world's own submarine's receiver of a sensor type, or null (no own boat, or none of that type).
Sensor* ownShipSensorByType(int type);

} // namespace q71
