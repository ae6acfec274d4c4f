#pragma once
// What one entity knows of another: a contact record with its designation, its estimated track
// and one list of fixes per sensor type. A fix is one report of a sensor: where the target was
// measured to be, from where, when and how well. Each entity owns its contacts; the own boat's
// records feed the sonar and plot displays, the controllers rank the others as targets.

#include "sim/simulation/geometry.h"
#include "sim/simulation/world_lists.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace q71 {

/// Sensor types, one slot each in the per-type tables of entities and contacts.
inline constexpr int kSensorTypeCount = 14;

/// One report of a sensor on a target (88 bytes in a saved mission).
struct ContactFix {
    double time = 0.0;         ///< game time of the report
    std::uint8_t quality = 0;  ///< 0 to 100
    std::int32_t sensorType = 0; ///< 0 to 13, or 14 for a report relayed by a friend
    double x = 0.0;            ///< measured position of the target, metres
    double y = 0.0;
    double sensorX = 0.0;      ///< where the sensor was
    double sensorY = 0.0;
    double z = 0.0;            ///< the target's vertical position
    double bearing = 0.0;      ///< measured bearing, degrees
    double course = 0.0;       ///< the target's course, degrees
    double speed = 0.0;        ///< the target's speed, speed units
    /// 1 from a sensor scan, the merge count of the own boat's arrays, 100 for other own reports,
    /// 0 for a closing fix.
    std::int32_t count = 0;
};

/// The measured position of the target.
inline WorldPoint worldPoint(const ContactFix& fix) {
    return {fix.x, fix.y, fix.z};
}

/// The fixes of one sensor type, newest first, holding at most a given number: once full, a new
/// fix takes the place of the oldest. The newest fix's time and quality are kept beside the ring
/// as well, in the record's own lines: every report on a contact compares them, and the fix itself
/// lies in another block. Fixes are changed in place only through editNewest, which keeps them.
class FixList {
public:
    /// Puts a copy of the fix in front; when the list already holds `limit` fixes, the oldest goes.
    void push(const ContactFix& fix, std::size_t limit);
    /// Drops the oldest fixes until at most `limit` are left.
    void trim(std::size_t limit);
    /// The fix at an age index: 0 the newest.
    const ContactFix& operator[](std::size_t age) const { return ring_[slot(age)]; }
    const ContactFix& newest() const { return (*this)[0]; }
    /// The newest fix's time and quality (the list must not be empty).
    double newestTime() const { return newestTime_; }
    std::uint8_t newestQuality() const { return newestQuality_; }
    /// Changes the newest fix in place (the list must not be empty).
    template <class Edit>
    void editNewest(Edit edit) {
        ContactFix& fix = ring_[slot(0)];
        edit(fix);
        keepNewest(fix);
    }
    std::size_t size() const { return ring_.size(); }
    bool empty() const { return ring_.empty(); }
    void clear();

private:
    // The ring holds the fixes oldest first from `oldest_`, wrapping. Ages within the list need
    // one subtraction at most, not a division (the contacts' walks read the newest every second).
    std::size_t slot(std::size_t age) const {
        const std::size_t size = ring_.size();
        const std::size_t at = oldest_ + size - 1 - age;
        if (at < size)
            return at;
        return at - size < size ? at - size : at % size;
    }

    void keepNewest(const ContactFix& fix) {
        newestTime_ = fix.time;
        newestQuality_ = fix.quality;
    }

    std::vector<ContactFix> ring_;
    double newestTime_ = 0.0;
    std::uint32_t oldest_ = 0; // the ring holds no more than an entity's fix limit, an int
    std::uint8_t newestQuality_ = 0;
};

/// Reactions a controller attaches to a contact (state codes shared with plan modes and orders).
enum ContactReaction : std::int32_t {
    kReactionNone = 0,
    kReactionLost = 10,
    kReactionClose = 11,
    kReactionAttack = 12,
    kReactionEvade = 13,
    kReactionWithdraw = 14,
    kReactionEvadeWeapon = 15,
};

/// Fix lists of a contact, one per sensor type.
inline constexpr int kFixListCount = kSensorTypeCount;

/// What an entity knows of one other (2216 bytes in a saved mission).
struct ContactRecord {
    std::int32_t reaction = kReactionNone; ///< the owner controller's reaction to this contact
    std::int32_t classified = 0;           ///< 1 once a ship or submarine controller classified it
    std::uint32_t recordId = 0;            ///< object record of the contact (16 bits on disk)
    std::int32_t entityId = 0;             ///< the contact's entity (16 bits on disk)
    std::int32_t belowLayer = 0;           ///< the own boat's estimate: the contact is below the layer
    ContactDesignation designation;
    std::int32_t side = 0;
    std::int32_t kind = 0;
    double classifyTime = 0.0; ///< game time of the controller's last rating
    double bearing = 0.0;      ///< degrees from the owner
    double range = 0.0;        ///< yards from the owner
    double course = 0.0;       ///< degrees
    double speed = 0.0;        ///< speed units
    double rangeRate = 0.0;
    AngleTrig courseTrig; ///< the course's sine and cosine, for reckoning the newest fix on
    // What each report reads lies together, next to the own fixes (the list's walk and the
    // reports of every sensor each second read them).
    double lastUpdate = 0.0; ///< game time of the last per-second update
    double heldTime = 0.0;   ///< seconds the contact has been held
    double sinceFix = 0.0;   ///< seconds since the last fix
    std::uint8_t quality = 0;       ///< 0 to 100
    std::uint8_t referenceFlag = 0; ///< the own boat's solution moved this contact this pass
    std::array<FixList, kFixListCount> fixes;

    /// Back to the state of a new record; the fix lists keep the room they took.
    void reset();
};

} // namespace q71
