#include "tactical/tma/tma_contacts.h"

#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/own_boat_contacts.h"
#include "sim/entities/sensors/passive_arrays.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/geometry.h"
#include "sim/simulation/random.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/sound_profile.h"
#include "tactical/tma/tma_state.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr char kMergedLetter = 'M';

bool inList(const OwnShipEntity& own, const ContactRecord* contact) {
    for (auto* node = own.contacts.head(); node; node = node->next)
        if (node->item == contact)
            return true;
    return false;
}

ContactRecord* numbered(const OwnShipEntity& own, int type, int number) {
    for (auto* node = own.contacts.head(); node; node = node->next)
        if (node->item->designation.numbers[static_cast<std::size_t>(type)] == number)
            return node->item;
    return nullptr;
}

void releaseFollowing(ReceiverSensor* receiver, std::int16_t source, std::int16_t mirror) {
    if (!receiver)
        return;
    for (int slot = 0; slot < ReceiverSensor::kTrackers; ++slot) {
        const TrackSlot& tracker = receiver->trackers()[static_cast<std::size_t>(slot)];
        if (tracker.locked && (tracker.source == source || (mirror != 0 && tracker.source == mirror)))
            receiver->releaseTracker(slot);
    }
}

} // namespace

void tmaStoreSolution(ContactRecord& contact, const TmaSolution& solution) {
    contact.bearing = solution.bearing;
    contact.range = solution.range;
    contact.course = solution.course;
    contact.speed = solution.speed;
    const Entity* target = worldFindByDesignation(contact.designation);
    const Entity* own = worldOwnShip();
    if (!target || !target->motion || !own || !own->motion)
        return;
    const double trueRange = entityRangeYards(*own, *target);
    // A target on top of the boat: the solution's range cannot be judged against it.
    const double e = trueRange > 0.0 ? std::abs(solution.range - trueRange) / trueRange : 0.0;
    const double s = target->motion->z;
    const double v = s - s * e / 3.0 + randomScaled(2.0 * s * e / 3.0);
    contact.belowLayer = v <= soundProfile().layerDepth ? 1 : 0;
}

bool tmaMergeContacts(OwnShipEntity& own, ContactRecord* first, ContactRecord* second) {
    return ownBoatJoinContacts(own, first, second);
}

bool tmaSplitContact(OwnShipEntity& own, ContactRecord* merged) {
    if (!merged || merged->designation.letter != kMergedLetter || !inList(own, merged))
        return false;
    // The track goes first: its numbers would otherwise find it again.
    const ContactRecord track = *merged;
    std::array<FixList, kFixListCount> fixes;
    for (std::size_t type = 0; type < kFixListCount; ++type)
        fixes[type] = std::move(merged->fixes[type]);
    ownBoatRemoveContact(own, merged);
    const auto limit = static_cast<std::size_t>(std::max(own.maxFixes, 1));
    for (int type = kSensorTypeCount - 1; type >= 0; --type) {
        FixList& list = fixes[static_cast<std::size_t>(type)];
        if (list.empty())
            continue;
        std::int32_t number = track.designation.numbers[static_cast<std::size_t>(type)];
        if (number == 0)
            number = own.nextContactNumber(type, track.bearing, false);
        if (number == 0)
            continue; // a type without contact numbers makes no contact
        own.isContactNumberUsed(type, number, track.recordId, track.bearing, track.range, track.course,
                                track.speed);
        if (ContactRecord* made = numbered(own, type, number)) {
            made->side = track.side;
            made->kind = track.kind;
            ownBoatJoinFixes(made->fixes[static_cast<std::size_t>(type)], list, limit);
        }
    }
    return true;
}

bool tmaDeleteContact(OwnShipEntity& own, ContactRecord* contact) {
    if (!contact || !inList(own, contact))
        return false;
    if (const Entity* entity = worldFindByDesignation(contact->designation)) {
        const auto source = static_cast<std::int16_t>(entity->id);
        const bool mirrorContact = contact->designation.numbers[kSensorMirror] != 0;
        const auto mirror = mirrorContact ? static_cast<std::int16_t>(-entity->id) : std::int16_t{0};
        releaseFollowing(own.array2, source, mirror);
        releaseFollowing(own.array1, source, mirror);
        releaseFollowing(own.array0, source, mirror);
    }
    return ownBoatRemoveContact(own, contact);
}

} // namespace q71
