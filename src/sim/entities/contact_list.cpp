#include "sim/entities/contact_list.h"

namespace q71 {

int ContactList::appendItem(ContactRecord* contact) {
    index_.add(contact->entityId, contact);
    return Base::appendItem(contact);
}

int ContactList::remove(ContactRecord* contact) {
    index_.remove(contact->entityId, contact);
    return Base::remove(contact);
}

void ContactList::deleteAll() {
    index_.clear();
    Base::deleteAll();
}

ContactRecord* ContactList::find(std::int32_t entityId) const {
    return index_.find(entityId);
}

} // namespace q71
