#include "sim/simulation/world_lists.h"

#include "sim/entities/entity.h"

#include <cstdio>

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

struct World {
    LinkedList<Entity> entities;
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
    // Walks the nodes, not the cursor: a find inside a walk of the list leaves the walk as it was.
    for (auto* node = world().entities.head(); node; node = node->next)
        if (node->item->id == id)
            return node->item;
    return nullptr;
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

} // namespace q71
