#pragma once
// What the TMA operator does to the own boat's contacts: stores a solution in one, joins two into
// one track, splits a track again into one contact per sensor type, and deletes one (freeing the
// arrays' trackers that follow it).

namespace q71 {

class OwnShipEntity;
struct ContactRecord;
struct TmaSolution;

/// Stores the solution's bearing, range, course and speed in the contact. When an entity stands
/// behind it, the contact's below-layer flag is estimated from the entity's depth, less sure the
/// farther the solution's range is from the truth.
void tmaStoreSolution(ContactRecord& contact, const TmaSolution& solution);

/// Joins the second contact into the first (a merged track keeping every fix); false, with nothing
/// done, for a missing contact, one contact twice or one not in the boat's list.
bool tmaMergeContacts(OwnShipEntity& own, ContactRecord* first, ContactRecord* second);

/// Splits a merged track into one contact per sensor type that has fixes (13 down to 0), each with
/// the track's stored solution, its number of that type and that type's fixes; the track goes.
/// False, with nothing done, for a contact that is not a merged track of the boat's list.
bool tmaSplitContact(OwnShipEntity& own, ContactRecord* merged);

/// Frees the arrays' trackers that follow the contact's entity and removes the contact; false when
/// the boat's list does not hold it.
bool tmaDeleteContact(OwnShipEntity& own, ContactRecord* contact);

} // namespace q71
