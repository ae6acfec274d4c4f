#include "sim/entities/contact_list.h"

namespace q71 {

int ContactList::appendItem(ContactRecord* contact) {
    byEntity_.try_emplace(contact->entityId, contact); // an earlier record about it stays the first
    return Base::appendItem(contact);
}

int ContactList::remove(ContactRecord* contact) {
    // A record whose id changed may be kept under its old id and its new one.
    std::erase_if(byEntity_, [contact](const auto& entry) { return entry.second == contact; });
    return Base::remove(contact);
}

void ContactList::deleteAll() {
    byEntity_.clear();
    Base::deleteAll();
}

ContactRecord* ContactList::find(std::int32_t entityId) const {
    if (const auto it = byEntity_.find(entityId); it != byEntity_.end() && it->second->entityId == entityId)
        return it->second;
    // Not known by that id: new, or its record's id was set after it was added.
    for (auto* node = head(); node; node = node->next)
        if (node->item->entityId == entityId) {
            byEntity_[entityId] = node->item;
            return node->item;
        }
    return nullptr;
}

} // namespace q71
