// How an entity keeps its contacts: fixes from its sensors and from friends become contact
// records, each second their clocks move on and stale ones are dropped, and each record's track
// is estimated from its fixes.
#include "sim/entities/entity.h"

#include "framework/math/fast_math.h"
#include "sim/entities/contact_prefetch.h"
#include "sim/entities/contact_track.h"
#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/simulation/sim_clock.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace q71 {

namespace {

constexpr double kRelayedHoldTime = 3600.0; // a contact held only by friends' reports lasts an hour
constexpr double kWeaponHoldTime = 300.0;   // a weapon contact lasts five minutes without a fix

// The walks' records lie apart in the heap and each waits on memory: a record's lines are asked
// for this many records ahead of the walk, and its newest fix, whose place those lines give,
// this many.
constexpr int kRecordLead = 16;
constexpr int kFixLead = 8;

// Moves a look-ahead one node on, prefetching for the node it leaves.
template <class Prefetch>
void stepAhead(const ContactList::Node*& ahead, Prefetch prefetchFor) {
    if (!ahead)
        return;
    prefetchFor(*ahead->item);
    ahead = ahead->next;
}

// The look-aheads of a walk of the contacts, stepped once a record. They stay ahead of the walk,
// so a drop (of the walk's own record) never frees the node they stand on.
class WalkAhead {
public:
    explicit WalkAhead(const ContactList& contacts) : record_(contacts.head()), fix_(contacts.head()) {
        for (int lead = 0; lead < kRecordLead; ++lead)
            stepAhead(record_, prefetchContactLines);
        for (int lead = 0; lead < kFixLead; ++lead)
            stepAhead(fix_, prefetchNewestFix);
    }
    void step() {
        stepAhead(record_, prefetchContactLines);
        stepAhead(fix_, prefetchNewestFix);
    }

private:
    const ContactList::Node* record_;
    const ContactList::Node* fix_;
};

} // namespace

ContactRecord* Entity::findContact(std::int32_t entityId) const {
    return contacts.find(entityId);
}

void Entity::dropContact(ContactRecord* contact) {
    if (controller)
        controller->forgetContact(*contact);
    contacts.recycle(contact); // a walk standing on it goes on with the contact that followed
}

void Entity::processContactRecord(Entity& entity, const ContactFix& fix) {
    processContact(entity.id, entity.recordId, entity.side, entity.kind, fix, 1);
}

void Entity::processContact(std::int32_t entityId, std::uint32_t contactRecordId, std::int32_t contactSide,
                            std::int32_t contactKind, const ContactFix& fix, int flag) {
    if (entityId == id)
        return;
    const double now = simClock().gameClock;
    if (ContactRecord* contact = findContact(entityId)) {
        contact->sinceFix = 0.0;
        contact->heldTime += now - contact->lastUpdate;
        FixList& fixes = contact->fixes[kOwnFixList];
        // A weapon takes every fix; others keep one a while unless a better one comes.
        if (fixes.empty() || kind == kKindWeapon || fix.quality > fixes.newestQuality() ||
            fix.time > fixes.newestTime() + 30.0)
            addContactFix(*contact, kOwnFixList, fix);
        fixes.trim(static_cast<std::size_t>(std::max(maxFixes, 0)));
        return;
    }
    ContactRecord* contact = contacts.newRecord();
    contact->lastUpdate = now;
    contact->entityId = entityId;
    contact->recordId = contactRecordId;
    contact->side = contactSide;
    contact->kind = contactKind;
    addContactFix(*contact, kOwnFixList, fix);
    contact->bearing = fixBearing(*this, fix);
    contact->range = fixRangeYards(*this, fix);
    contact->course = fix.course;
    contact->speed = fix.speed;
    contacts.saveCursor();
    contacts.appendItem(contact);
    contacts.restoreCursor();
    if (controller)
        controller->postEncounterEvent(*contact, flag);
}

void Entity::addContactFix(ContactRecord& contact, int sensorType, const ContactFix& fix) {
    if (sensorType < 0 || sensorType >= kFixListCount)
        return;
    contact.fixes[static_cast<std::size_t>(sensorType)].push(fix, static_cast<std::size_t>(std::max(maxFixes, 0)));
}

void Entity::updateContactClocks(double elapsed) {
    const double now = simClock().gameClock;
    const double ownSpeed = motion ? motion->speed : 0.0;
    const double ownHeading = motion ? motion->heading : 0.0;
    const bool ownShip = isOwnShip();
    WalkAhead ahead(contacts);
    for (ContactRecord* contact = contacts.rewind(); contact; contact = contacts.advance()) {
        ahead.step();
        contact->lastUpdate = now;
        contact->sinceFix += elapsed;
        // How fast the range opens (m/s): the own way toward the contact closes it, the contact's
        // way along the same bearing opens it. Subtracting both, as the rule reads, gave a rate
        // for two hulls running one behind the other at one speed, whose range never changes.
        contact->rangeRate = -(ownSpeed * kSpeedUnitMetresPerSecond * tableCosDegrees(contact->bearing - ownHeading));
        if (contact->speed > 0.0)
            contact->rangeRate +=
                contact->speed * kSpeedUnitMetresPerSecond * tableCosDegrees(contact->course - contact->bearing);
        if (contact->sinceFix > 60.0)
            contact->heldTime = 0.0;
        if (ownShip)
            continue;
        const FixList& fixes = contact->fixes[kOwnFixList];
        const bool relayedOnly = !fixes.empty() && fixes.newest().sensorType == kSensorRelayed;
        if ((contact->kind == kKindWeapon && contact->sinceFix > kWeaponHoldTime) ||
            (!relayedOnly && contact->sinceFix > contactTimeout) || contact->sinceFix > kRelayedHoldTime)
            dropContact(contact);
    }
}

void Entity::updateContacts() {
    const double now = simClock().gameClock;
    const WorldPoint own = worldPoint(*this);
    WalkAhead ahead(contacts);
    for (auto* node = contacts.head(); node; node = node->next) {
        ahead.step();
        ContactRecord& contact = *node->item;
        const FixList& fixes = contact.fixes[kOwnFixList];
        if (fixes.empty())
            continue;
        const ContactFix& newest = fixes.newest();
        if (newest.time != contact.lastUpdate) {
            // No fix this second: dead-reckon the newest along the estimated track.
            WorldPoint reckoned;
            geoProject(newest.x, newest.y, contact.courseTrig.at(contact.course),
                       contact.speed * kSpeedUnitMetresPerSecond * kMetresToYards * (contact.lastUpdate - newest.time),
                       reckoned.x, reckoned.y);
            contact.bearing = entityBearing(own, reckoned);
            contact.range = entityRangeYards(own, reckoned);
            continue;
        }
        contact.bearing = fixBearing(own, newest);
        contact.range = fixRangeYards(own, newest);
        if (fixes.size() == 1) {
            contact.course = contact.speed = 0.0;
            contact.quality = 10;
            continue;
        }
        // The fix farthest from the owner is the reference the track is drawn from.
        const std::size_t reference = farthestFixAge(fixes, own);
        int qualitySum = 0, counted = 0, recent = 1;
        for (std::size_t i = 0; i < fixes.size(); ++i) {
            if (i == reference)
                continue;
            qualitySum += fixes[i].quality;
            ++counted;
            if (now - fixes[i].time <= 300.0)
                ++recent;
        }
        contact.quality =
            static_cast<std::uint8_t>(std::min(qualitySum / counted + 5, 100) * std::min(recent + 5, 10) / 10);
        const ContactFix& from = fixes[reference];
        contact.course = fixToFixBearing(from, newest);
        double speed = 0.6 * fixToFixRangeYards(from, newest) / std::max(std::fabs(newest.time - from.time), 1.0);
        if (contact.speed > 0.0)
            speed = std::clamp(speed, contact.speed * 0.5, contact.speed * 2.0);
        contact.speed = speed;
    }
}

void worldPurgeEntityId(std::int32_t id) {
    for (auto* node = worldList().head(); node; node = node->next) {
        Entity& entity = *node->item;
        if (!entity.controller)
            continue;
        ContactList& contacts = entity.contacts;
        contacts.saveCursor();
        while (ContactRecord* contact = contacts.find(id)) {
            if (entity.controller->target == contact)
                entity.controller->target = nullptr;
            contacts.recycle(contact);
        }
        contacts.restoreCursor();
    }
    if (Entity* entity = worldFindEntity(id))
        entity->markForRemoval();
}

} // namespace q71
