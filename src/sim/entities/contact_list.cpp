#include "sim/entities/contact_list.h"

#include "sim/entities/contact_prefetch.h"

namespace q71 {

int ContactList::appendItem(ContactRecord* contact) {
    const int count = Base::appendItem(contact);
    index_.add(contact->entityId, tail());
    return count;
}

int ContactList::remove(ContactRecord* contact) {
    // The index knows the record's node: no walk. A record not listed leaves the cursor where a
    // walk of the list that did not find it would.
    ContactListNode* node = index_.remove(contact->entityId, contact);
    if (!node) {
        setCursor(nullptr);
        return count();
    }
    return Base::removeNode(node);
}

int ContactList::recycle(ContactRecord* contact) {
    const int count = remove(contact);
    if (spares_.capacity() < kSpareRecords)
        spares_.reserve(kSpareRecords); // once, not once a doubling
    if (spares_.size() < kSpareRecords)
        spares_.emplace_back(contact);
    else
        delete contact;
    return count;
}

ContactRecord* ContactList::newRecord() {
    if (spares_.empty())
        return new ContactRecord;
    ContactRecord* contact = spares_.back().release();
    spares_.pop_back();
    contact->reset();
    return contact;
}

void ContactList::deleteAll() {
    index_.clear();
    Base::deleteAll();
}

ContactRecord* ContactList::find(std::int32_t entityId) const {
    return index_.find(entityId);
}

void ContactList::prefetchSlot(std::int32_t entityId) const {
    index_.prefetchSlot(entityId);
}

void ContactList::prefetch(std::int32_t entityId) const {
    if (const ContactRecord* contact = index_.find(entityId))
        prefetchContactLines(*contact);
}

} // namespace q71
