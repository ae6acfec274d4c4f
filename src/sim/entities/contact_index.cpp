#include "sim/entities/contact_index.h"

#include <algorithm>
#include <bit>

namespace q71 {

std::size_t ContactIndex::home(std::int32_t entityId) const {
    // Ids are handed out in turn and the world list keeps entities in that order, so a sensor's
    // scan asks for them rising: neighbouring ids take neighbouring slots, and the scan's look-ups
    // walk the table forward, as the memory's own read-ahead expects, rather than all over it.
    // The bits above the table's size are folded in, so that ids a table's size apart part.
    const auto key = static_cast<std::uint32_t>(entityId);
    return (key + (key >> bits_)) & (slots_.size() - 1);
}

std::size_t ContactIndex::slotOf(std::int32_t entityId) const {
    std::size_t slot = home(entityId);
    while (slots_[slot].node && slots_[slot].entityId != entityId)
        slot = (slot + 1) & (slots_.size() - 1);
    return slot;
}

ContactRecord* ContactIndex::find(std::int32_t entityId) const {
    return slots_.empty() ? nullptr : slots_[slotOf(entityId)].contact;
}

void ContactIndex::prefetchSlot(std::int32_t entityId) const {
    if (!slots_.empty())
        __builtin_prefetch(&slots_[home(entityId)]);
}

void ContactIndex::add(std::int32_t entityId, ContactListNode* node) {
    if (2 * (used_ + 1) > slots_.size())
        grow();
    Slot& slot = slots_[slotOf(entityId)];
    if (slot.node) {
        waiting_.emplace_back(entityId, node);
        return;
    }
    slot = {node, node->item, entityId};
    ++used_;
}

void ContactIndex::grow() {
    std::vector<Slot> old(std::max<std::size_t>(16, 2 * slots_.size()));
    old.swap(slots_);
    bits_ = std::countr_zero(slots_.size());
    for (const Slot& slot : old)
        if (slot.node)
            slots_[slotOf(slot.entityId)] = slot;
}

void ContactIndex::erase(std::size_t slot) {
    // Backward shift: every record after the hole in its run that may move into it does, so that
    // no run is ever broken by a free slot.
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t next = (slot + 1) & mask; slots_[next].node; next = (next + 1) & mask) {
        const std::size_t want = home(slots_[next].entityId);
        // The record at `next` may fill the hole unless its home lies cyclically in (slot, next].
        if (((next - want) & mask) >= ((next - slot) & mask)) {
            slots_[slot] = slots_[next];
            slot = next;
        }
    }
    slots_[slot] = {};
    --used_;
}

void ContactIndex::promote(std::int32_t entityId) {
    const auto waiting = std::find_if(waiting_.begin(), waiting_.end(),
                                      [entityId](const auto& entry) { return entry.first == entityId; });
    if (waiting == waiting_.end())
        return;
    ContactListNode* node = waiting->second;
    waiting_.erase(waiting);
    add(entityId, node);
}

ContactListNode* ContactIndex::remove(std::int32_t entityId, const ContactRecord* contact) {
    const auto waiting = std::find_if(waiting_.begin(), waiting_.end(),
                                      [contact](const auto& entry) { return entry.second->item == contact; });
    if (waiting != waiting_.end()) {
        ContactListNode* node = waiting->second;
        waiting_.erase(waiting);
        return node;
    }
    if (slots_.empty())
        return nullptr;
    std::size_t slot = slotOf(entityId);
    if (!slots_[slot].node || slots_[slot].contact != contact) {
        // Its id was changed while it was listed: find it wherever it stands.
        const auto at = std::find_if(slots_.begin(), slots_.end(), [contact](const Slot& entry) {
            return entry.node && entry.contact == contact;
        });
        if (at == slots_.end())
            return nullptr;
        slot = static_cast<std::size_t>(at - slots_.begin());
    }
    ContactListNode* node = slots_[slot].node;
    const std::int32_t indexedId = slots_[slot].entityId;
    erase(slot);
    promote(indexedId);
    return node;
}

void ContactIndex::clear() {
    std::fill(slots_.begin(), slots_.end(), Slot{});
    used_ = 0;
    waiting_.clear();
}

} // namespace q71
