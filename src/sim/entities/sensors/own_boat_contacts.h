#pragma once
// What the sonar crew does to the own boat's contact list as its receivers hear: a contact
// belongs to an entity through the contact numbers the entity was given per sensor type.
// Once the crew has told a towed array's source from its mirror image, the mirror's contacts
// go; once one entity is held by several sensors, its contacts become one merged contact.

namespace q71 {

class Entity;

/// True when one of the own boat's contacts carries one of the entity's contact numbers.
bool ownBoatHasContactOn(const Entity& ownBoat, const Entity& entity);

/// Removes every contact of the own boat that carries the entity's mirror number; the contact
/// observers are told of each.
void ownBoatDropMirrorContacts(Entity& ownBoat, const Entity& entity);

/// The contacts of an entity that a tracker took: each takes the entity's side and kind; when the
/// entity has numbers of several sensor types (the mirror's aside), their contacts merge into
/// the first, which takes a merged number and the label "M".
void ownBoatMergeContacts(Entity& ownBoat, const Entity& entity);

} // namespace q71
