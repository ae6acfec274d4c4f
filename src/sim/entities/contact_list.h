#pragma once
// An entity's contacts: a list of owned contact records in the order they were made, walked as
// any list, and found again by the id of the entity they are about without a walk. Reports
// come by the thousand each second in a busy sea, each asking for its contact.
//
// Records are added and removed only through this list (its list base is private), so that the
// index never holds a record that is gone. A record's entity id is set before it is added and
// stays while it is in the list: a miss is then a miss, without a walk (the purge of a removed
// entity asks every entity's list, most of which never heard of it).
//
// Contacts come and go every second: the list's nodes are pooled, and records it is given back
// (recycle) wait, with the room their fixes took, for the next contact (newRecord), so that a
// sea whose contacts come and go at a steady pace allocates nothing for them.

#include "framework/lists/linked_list.h"
#include "framework/lists/pooled_list_nodes.h"
#include "sim/entities/contact_index.h"
#include "sim/entities/contact_record.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace q71 {

class ContactList : private LinkedList<ContactRecord, PooledListNodes<ContactRecord>> {
    using Base = LinkedList<ContactRecord, PooledListNodes<ContactRecord>>;

public:
    using Base::Node;
    using Base::advance;
    using Base::count;
    using Base::current;
    using Base::cursor;
    using Base::depth;
    using Base::empty;
    using Base::head;
    using Base::next;
    using Base::restoreCursor;
    using Base::rewind;
    using Base::saveCursor;
    using Base::setCursor;
    using Base::tail;

    /// Appends a record (owned from now on); the cursor moves onto it. Returns the new count.
    int appendItem(ContactRecord* contact);
    /// Unlinks a record (the caller deletes it), as the list does; returns the new count.
    int remove(ContactRecord* contact);
    /// Unlinks a record as remove() does and keeps it for newRecord(), in place of deleting it.
    int recycle(ContactRecord* contact);
    /// A record as a new one is, owned by the caller until appended: a recycled one when there is
    /// one, its fix lists keeping their room.
    ContactRecord* newRecord();
    /// Deletes every listed record.
    void deleteAll();
    /// The record about an entity (the first made, should a loaded list hold two), or null.
    ContactRecord* find(std::int32_t entityId) const;
    /// Hints for a report on the entity to come, so that a sensor can give them before the
    /// arithmetic of its test and the memory arrive meanwhile; they change nothing. First the
    /// index's slot (no wait), then, some work later, the record's lines (the slot is read).
    void prefetchSlot(std::int32_t entityId) const;
    void prefetch(std::int32_t entityId) const;

private:
    // Contacts are dropped a few at a time, in the walk each second; a few records kept cover
    // that without holding the room of every contact the list ever had.
    static constexpr std::size_t kSpareRecords = 4;

    ContactIndex index_;
    std::vector<std::unique_ptr<ContactRecord>> spares_;
};

} // namespace q71
