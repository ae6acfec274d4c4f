#include "sim/entities/sensors/own_boat_contacts.h"

#include "sim/entities/entity.h"
#include "sim/entities/sensors/sensor.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace q71 {

namespace {

constexpr char kMergedLetter = 'M';

// True when the contact carries the entity's number for a sensor type.
bool carries(const ContactRecord& contact, const Entity& entity, int type) {
    const std::int32_t number = entity.designation[static_cast<std::size_t>(type)];
    return number != 0 && contact.designation.numbers[static_cast<std::size_t>(type)] == number;
}

bool carriesAny(const ContactRecord& contact, const Entity& entity) {
    for (int type = 0; type < kSensorTypeCount; ++type)
        if (carries(contact, entity, type))
            return true;
    return false;
}

void removeContact(Entity& ownBoat, ContactRecord* contact) {
    ownBoat.contacts.saveCursor();
    ownBoat.contacts.remove(contact);
    ownBoat.contacts.restoreCursor();
    worldNotifyContactObservers(contact, kWorldEntityDestroyed);
    delete contact;
}

bool holds(const Entity& ownBoat, const ContactRecord* contact) {
    for (auto* node = ownBoat.contacts.head(); node; node = node->next)
        if (node->item == contact)
            return true;
    return false;
}

// The survivor of a merge is labelled as a merged track, numbered by the boat unless it has a number.
void labelMerged(Entity& ownBoat, ContactRecord& survivor) {
    const auto merged = static_cast<std::size_t>(kSensorMerged);
    if (survivor.designation.numbers[merged] == 0)
        survivor.designation.numbers[merged] =
            static_cast<std::uint8_t>(ownBoat.nextContactNumber(kSensorMerged, survivor.bearing, false));
    survivor.designation.letter = kMergedLetter;
}

// The survivor takes the numbers and the fixes it lacks from the other contact.
void absorb(ContactRecord& survivor, ContactRecord& other) {
    for (std::size_t type = 0; type < kFixListCount; ++type) {
        if (survivor.designation.numbers[type] == 0)
            survivor.designation.numbers[type] = other.designation.numbers[type];
        if (survivor.fixes[type].empty() && !other.fixes[type].empty())
            survivor.fixes[type] = std::move(other.fixes[type]);
    }
}

} // namespace

bool ownBoatHasContactOn(const Entity& ownBoat, const Entity& entity) {
    for (auto* node = ownBoat.contacts.head(); node; node = node->next)
        if (carriesAny(*node->item, entity))
            return true;
    return false;
}

void ownBoatDropMirrorContacts(Entity& ownBoat, const Entity& entity) {
    std::vector<ContactRecord*> mirrors;
    for (auto* node = ownBoat.contacts.head(); node; node = node->next)
        if (carries(*node->item, entity, kSensorMirror))
            mirrors.push_back(node->item);
    for (ContactRecord* contact : mirrors)
        removeContact(ownBoat, contact);
}

void ownBoatMergeContacts(Entity& ownBoat, const Entity& entity) {
    int numberedTypes = 0;
    for (int type = 0; type < kSensorTypeCount; ++type)
        if (type != kSensorMirror && entity.designation[static_cast<std::size_t>(type)] != 0)
            ++numberedTypes;
    // The entity's contacts in the order of the list; the mirror's are not the entity's own.
    std::vector<ContactRecord*> held;
    for (auto* node = ownBoat.contacts.head(); node; node = node->next) {
        ContactRecord& contact = *node->item;
        if (!carriesAny(contact, entity))
            continue;
        // As the own side sees it: the player of side 2 sees side 1 hostile.
        contact.side = worldAffiliationSeenFrom(ownBoat.side, entity.side);
        contact.kind = entity.kind;
        for (int type = 0; type < kSensorTypeCount; ++type)
            if (type != kSensorMirror && carries(contact, entity, type)) {
                held.push_back(&contact);
                break;
            }
    }
    if (numberedTypes < 2 || held.size() < 2)
        return;
    ContactRecord& survivor = *held.front();
    labelMerged(ownBoat, survivor);
    for (std::size_t i = 1; i < held.size(); ++i) {
        absorb(survivor, *held[i]);
        removeContact(ownBoat, held[i]);
    }
}

void ownBoatJoinFixes(FixList& into, FixList& from, std::size_t limit) {
    std::vector<ContactFix> all;
    for (const FixList* list : {&into, &from})
        for (std::size_t age = 0; age < list->size(); ++age)
            all.push_back((*list)[age]);
    std::stable_sort(all.begin(), all.end(),
                     [](const ContactFix& a, const ContactFix& b) { return a.time > b.time; });
    into.clear();
    from.clear();
    for (auto fix = all.rbegin(); fix != all.rend(); ++fix)
        into.push(*fix, limit);
}

bool ownBoatRemoveContact(Entity& ownBoat, ContactRecord* contact) {
    if (!contact || !holds(ownBoat, contact))
        return false;
    removeContact(ownBoat, contact);
    return true;
}

bool ownBoatJoinContacts(Entity& ownBoat, ContactRecord* first, ContactRecord* second) {
    if (!first || !second || first == second || !holds(ownBoat, first) || !holds(ownBoat, second))
        return false;
    const auto limit = static_cast<std::size_t>(std::max(ownBoat.maxFixes, 1));
    for (std::size_t type = 0; type < kFixListCount; ++type) {
        if (first->designation.numbers[type] == 0)
            first->designation.numbers[type] = second->designation.numbers[type];
        ownBoatJoinFixes(first->fixes[type], second->fixes[type], limit);
    }
    labelMerged(ownBoat, *first);
    removeContact(ownBoat, second);
    return true;
}

} // namespace q71
