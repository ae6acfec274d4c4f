#pragma once
// The index of a contact list: the node of the first record made about each entity id, found
// without a walk in one flat table (open addressing, linear probing), so that a look-up costs a
// cache line or two rather than a hash node and a vector. Later records about the same id (a
// damaged saved mission may hold two) wait beside it in the order they came and take the first's
// place when it goes. The list finds a record's node here to unlink it without a walk.

#include "framework/lists/linked_list.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace q71 {

struct ContactRecord;
using ContactListNode = LinkedListNode<ContactRecord>;

class ContactIndex {
public:
    /// Indexes a record's node under an id, after every node already indexed under it.
    void add(std::int32_t entityId, ContactListNode* node);
    /// Takes out the node holding a record, wherever it stands (the id it is expected under is
    /// tried first); returns it, or null when the record is not indexed.
    ContactListNode* remove(std::int32_t entityId, const ContactRecord* contact);
    /// The first record indexed under the id, or null.
    ContactRecord* find(std::int32_t entityId) const;
    /// Asks for the slot a look-up of the id starts at; reads nothing.
    void prefetchSlot(std::int32_t entityId) const;
    void clear();

private:
    struct Slot {
        ContactListNode* node = nullptr;  // null: the slot is free
        ContactRecord* contact = nullptr; // the node's record, at hand for a look-up
        std::int32_t entityId = 0;
    };

    std::size_t home(std::int32_t entityId) const;
    std::size_t slotOf(std::int32_t entityId) const; // the id's slot, or the free one ending its run
    void grow();
    void erase(std::size_t slot);
    // Puts the first waiting record of the id, if any, into the table.
    void promote(std::int32_t entityId);

    std::vector<Slot> slots_; // a power of two in size, never more than half full
    int bits_ = 0;            // the bits of the table's size
    std::size_t used_ = 0;
    std::vector<std::pair<std::int32_t, ContactListNode*>> waiting_; // later records, in order
};

} // namespace q71
