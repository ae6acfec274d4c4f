#include "sim/simulation/world_lists.h"

#include "sim/entities/entity.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace q71 {

namespace {

// Observers of one kind of item: owner and callback, in registration order; the list owns the records.
template <class Item> class ObserverList {
public:
    using Callback = void (*)(std::uintptr_t owner, Item* item, int flag);

    ~ObserverList() { records_.deleteAll(); }

    void add(std::uintptr_t owner, Callback callback) { records_.appendItem(new Record{owner, callback}); }

    void remove(std::uintptr_t owner) {
        for (auto* node = records_.head(); node; node = node->next)
            if (node->item->owner == owner) {
                Record* record = node->item;
                records_.saveCursor();
                records_.remove(record); // saved positions on it move to the node before
                records_.restoreCursor();
                delete record;
                return;
            }
    }

    void notify(Item* item, int flag) {
        records_.saveCursor();
        for (Record* record = records_.rewind(); record; record = records_.advance()) {
            const Record call = *record; // a callback may remove its own record
            call.callback(call.owner, item, flag);
        }
        records_.restoreCursor();
    }

    void clear() { records_.deleteAll(); }

private:
    struct Record {
        std::uintptr_t owner;
        Callback callback;
    };
    LinkedList<Record> records_;
};

// The entities by id, for finding one without walking the list: (id, place in the list) in
// order, made again whenever the list has changed. Ids are fixed for an entity's life.
class EntityIdIndex {
public:
    Entity* find(const LinkedList<Entity>& list, std::int32_t id) {
        if (revision_ != list.revision())
            rebuild(list);
        // The first of equal ids in list order, as a walk of the list finds it.
        const auto at = std::lower_bound(entries_.begin(), entries_.end(), id,
                                         [](const Entry& entry, std::int32_t wanted) { return entry.id < wanted; });
        return at != entries_.end() && at->id == id ? at->entity : nullptr;
    }

private:
    struct Entry {
        std::int32_t id;
        int place;
        Entity* entity;
    };
    void rebuild(const LinkedList<Entity>& list) {
        entries_.clear();
        int place = 0;
        for (auto* node = list.head(); node; node = node->next)
            entries_.push_back({node->item->id, place++, node->item});
        std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
            return a.id != b.id ? a.id < b.id : a.place < b.place;
        });
        revision_ = list.revision();
    }

    std::vector<Entry> entries_;
    std::uint64_t revision_ = 0; // an empty list's, matching the empty index
};

struct World {
    LinkedList<Entity> entities;
    EntityIdIndex entitiesById;
    LinkedList<Entity> pending;
    ObserverList<Entity> entityObservers;
    ObserverList<ContactRecord> contactObservers;
    Entity* ownShip = nullptr;
    std::optional<std::int32_t> ownShipId;

    // At program exit the observers, whose owners may already be gone, are dropped without a
    // word before the remaining entities are deleted.
    ~World() {
        entityObservers.clear();
        contactObservers.clear();
        entities.deleteAll();
        pending.deleteAll();
    }
};

World& world() {
    static World lists;
    return lists;
}

} // namespace

LinkedList<Entity>& worldList() {
    return world().entities;
}

LinkedList<Entity>& worldPendingList() {
    return world().pending;
}

Entity* worldOwnShip() {
    return world().ownShip;
}

void worldSetOwnShip(Entity* entity) {
    world().ownShip = entity;
    if (entity)
        world().ownShipId = entity->id;
}

std::optional<std::int32_t> worldOwnShipId() {
    return world().ownShipId;
}

void worldSetOwnShipId(std::optional<std::int32_t> id) {
    world().ownShipId = id;
}

void worldAddEntity(Entity* entity) {
    LinkedList<Entity>& list = world().entities;
    list.saveCursor();
    list.appendItem(entity);
    list.restoreCursor();
    worldNotifyEntityObservers(entity, kWorldEntityAdded);
}

Entity* worldFindEntity(std::int32_t id) {
    // The cursor is left alone: a find inside a walk of the list leaves the walk as it was.
    World& lists = world();
    return lists.entitiesById.find(lists.entities, id);
}

void worldAddEntityObserver(std::uintptr_t owner, EntityObserver callback) {
    world().entityObservers.add(owner, callback);
}

void worldRemoveEntityObserver(std::uintptr_t owner) {
    world().entityObservers.remove(owner);
}

void worldNotifyEntityObservers(Entity* entity, int flag) {
    world().entityObservers.notify(entity, flag);
}

void worldAddContactObserver(std::uintptr_t owner, ContactObserver callback) {
    world().contactObservers.add(owner, callback);
}

void worldRemoveContactObserver(std::uintptr_t owner) {
    world().contactObservers.remove(owner);
}

void worldNotifyContactObservers(ContactRecord* contact, int flag) {
    world().contactObservers.notify(contact, flag);
}

Entity* worldFindByDesignation(const ContactDesignation& designation) {
    for (int type = 12; type >= 0; --type) {
        const std::uint8_t number = designation.numbers[static_cast<std::size_t>(type)];
        if (number == 0)
            continue;
        for (auto* node = world().entities.head(); node; node = node->next)
            if (node->item->designation[static_cast<std::size_t>(type)] == number)
                return node->item;
        return nullptr;
    }
    return nullptr;
}

const char* worldFormatDesignation(const ContactDesignation& designation) {
    static char text[8];
    text[0] = '\0';
    for (int type = 13; type >= 0; --type)
        if (const std::uint8_t number = designation.numbers[static_cast<std::size_t>(type)]) {
            std::snprintf(text, sizeof text, "%c%-d", designation.letter, number);
            break;
        }
    return text;
}

bool worldIsNeutral(std::int32_t side) {
    return side == 4;
}

bool worldSidesHostile(std::int32_t a, std::int32_t b) {
    return !worldIsNeutral(a) && !worldIsNeutral(b) && a != b && (a == 2 || b == 2);
}

std::int32_t worldAffiliationSeenFrom(std::int32_t ownSide, std::int32_t side) {
    constexpr std::int32_t kFriendly = 1, kHostile = 2;
    if (worldSidesHostile(ownSide, side))
        return kHostile;
    return side == ownSide ? kFriendly : side;
}

} // namespace q71
