#include "sim/entities/contact_list.h"

#include <algorithm>

namespace q71 {

int ContactList::appendItem(ContactRecord* contact) {
    byEntity_[contact->entityId].push_back(contact);
    return Base::appendItem(contact);
}

int ContactList::remove(ContactRecord* contact) {
    const auto unindex = [this, contact](auto it) {
        if (std::erase(it->second, contact) == 0)
            return false;
        if (it->second.empty())
            byEntity_.erase(it);
        return true;
    };
    // Under its id; should the id have been changed after all, wherever it stands, so that the
    // index never keeps a record that is gone.
    if (const auto it = byEntity_.find(contact->entityId); it == byEntity_.end() || !unindex(it))
        for (auto other = byEntity_.begin(); other != byEntity_.end(); ++other)
            if (unindex(other))
                break;
    return Base::remove(contact);
}

void ContactList::deleteAll() {
    byEntity_.clear();
    Base::deleteAll();
}

ContactRecord* ContactList::find(std::int32_t entityId) const {
    const auto it = byEntity_.find(entityId);
    return it == byEntity_.end() ? nullptr : it->second.front();
}

} // namespace q71
