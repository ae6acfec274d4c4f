#pragma once
// What the sonar crew does to the own boat's contact list as its receivers hear: a contact
// belongs to an entity through the contact numbers the entity was given per sensor type.
// Once the crew has told a towed array's source from its mirror image, the mirror's contacts
// go; once one entity is held by several sensors, its contacts become one merged contact. The
// TMA operator may also join two contacts into one track, and remove a contact.

#include <cstddef>

namespace q71 {

class Entity;
class FixList;
struct ContactRecord;

/// True when one of the own boat's contacts carries one of the entity's contact numbers.
bool ownBoatHasContactOn(const Entity& ownBoat, const Entity& entity);

/// Removes every contact of the own boat that carries the entity's mirror number; the contact
/// observers are told of each.
void ownBoatDropMirrorContacts(Entity& ownBoat, const Entity& entity);

/// The contacts of an entity that a tracker took: each takes the entity's side and kind; when the
/// entity has numbers of several sensor types (the mirror's aside), their contacts merge into
/// the first, which takes a merged number and the label "M".
void ownBoatMergeContacts(Entity& ownBoat, const Entity& entity);

/// Joins two fix lists into the first, newest first, keeping at most `limit` (the oldest go);
/// the second is left empty.
void ownBoatJoinFixes(FixList& into, FixList& from, std::size_t limit);

/// Takes a contact out of the own boat's list and deletes it, the contact observers told; false
/// (nothing done) when the list does not hold it.
bool ownBoatRemoveContact(Entity& ownBoat, ContactRecord* contact);

/// Joins the second contact into the first, as one merged track: the first takes the numbers it
/// lacks, every fix of the second (two lists of one type joined newest first, up to the boat's
/// fix limit), the label "M" and a merged number unless it has one; the second is removed. Nothing
/// is done (false) for one contact twice or a contact not in the list.
bool ownBoatJoinContacts(Entity& ownBoat, ContactRecord* first, ContactRecord* second);

} // namespace q71
