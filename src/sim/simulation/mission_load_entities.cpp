// The entities of a saved mission: each entry's header names the class and the values it is
// rebuilt from, then the entity reads its own state. Only the eighteen classes can be read: the
// length of a state depends on its class, so an entry of any other code ends the load.
#include "sim/simulation/mission_load_sections.h"

#include "sim/entities/types/entity_factory.h"
#include "sim/scoring/byte_stream.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"

namespace q71 {

namespace {

std::optional<SavedEntityHeader> readHeader(ByteSource& source) {
    SavedEntityHeader header;
    FieldReader fields(source, kSavedEntityHeaderSize);
    savedEntityHeaderFields(header, FieldReadCodec{fields});
    if (!fields.ok())
        return std::nullopt;
    if (header.typeCode == kEntityExplosion) {
        FieldReader kind(source, kSavedExplosionKindSize);
        kind.i32(header.explosionKind);
        if (!kind.ok())
            return std::nullopt;
    }
    return header;
}

// A record the entity can be rebuilt from: a known one, or none for a plain object that a
// scenario placed under a name the object database lacks.
bool recordHolds(const SavedEntityHeader& header) {
    return objdbFindById(header.recordId) != nullptr || (header.typeCode == kEntityMissile && header.recordId == 0);
}

// An entry a class can be rebuilt from: a known class and record, a crew level the motion laws
// hold at, and an id of its own (−1 would draw a new one).
bool headerHolds(const SavedEntityHeader& header, const SavedMission& saved) {
    return header.typeCode >= kEntityGeneric && header.typeCode <= kSavedTypeCodeLast && header.id >= 0 &&
           crewLevelHolds(header.level) && !saved.entityIds.contains(header.id) && recordHolds(header);
}

// The next entry's header, checked and its id taken.
std::optional<SavedEntityHeader> readEntry(ByteSource& source, SavedMission& saved) {
    std::optional<SavedEntityHeader> header = readHeader(source);
    if (!header || !headerHolds(*header, saved))
        return std::nullopt;
    saved.entityIds.insert(header->id);
    return header;
}

// The state read says again who the entity is: it must be the entry's, or the world would hold
// an entity that no file can name (another's id, an unknown record).
bool sameIdentity(const Entity& entity, const SavedEntityHeader& header) {
    return entity.side == header.side && entity.recordId == header.recordId && entity.level == header.level &&
           entity.kind == header.kind && entity.id == header.id && entity.parentId == header.parentId;
}

// A new entity of the entry's class (not the own boat), its state read.
std::unique_ptr<Entity> rebuild(const SavedEntityHeader& header, ByteSource& source) {
    const EntityLoadEntry entry{
        header.typeCode,
        {header.side, header.recordId, header.level, header.kind, header.id, header.parentId},
        header.explosionKind};
    std::unique_ptr<Entity> entity = entityCreateForLoad(entry).made;
    if (!entity || !entity->load(source) || !sameIdentity(*entity, header))
        return nullptr;
    return entity;
}

// The own boat is the one the set-up made; it takes its place in the list where the file has it,
// and its saved id. One saved after its loss, while waiting to be purged, is no longer the world's.
bool readOwnShip(const SavedEntityHeader& header, ByteSource& source) {
    Entity* own = worldOwnShip();
    if (!own)
        return false;
    worldList().remove(own);
    worldList().appendItem(own);
    if (!own->load(source) || !sameIdentity(*own, header))
        return false;
    worldSetOwnShip(own);
    if (own->removeFlag)
        own->markForRemoval();
    return true;
}

// A saved mission whose own boat was lost has none: the set-up's must not stay behind.
void dropOwnShip() {
    if (Entity* own = worldOwnShip()) {
        worldList().remove(own);
        worldSetOwnShip(nullptr);
        worldSetOwnShipId(std::nullopt);
        delete own;
    }
}

} // namespace

bool missionReadEntities(ByteSource& source, SavedMission& saved) {
    std::uint32_t count = 0;
    if (!savedCountRead(source, count, kSavedEntityHeaderSize)) // at most one per header's worth
        return false;
    bool ownShipRead = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::optional<SavedEntityHeader> header = readEntry(source, saved);
        if (!header)
            return false;
        if (header->typeCode == kEntityOwnShip) {
            if (ownShipRead || !readOwnShip(*header, source))
                return false;
            ownShipRead = true;
            continue;
        }
        std::unique_ptr<Entity> entity = rebuild(*header, source);
        if (!entity)
            return false;
        worldAddEntity(entity.release());
    }
    if (!ownShipRead)
        dropOwnShip();
    return true;
}

bool missionReadPending(ByteSource& source, SavedMission& saved) {
    std::uint32_t count = 0;
    if (!savedCountRead(source, count, kSavedEntityHeaderSize)) // at most one per header's worth
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::optional<SavedEntityHeader> header = readEntry(source, saved);
        if (!header || header->typeCode == kEntityOwnShip)
            return false;
        std::unique_ptr<Entity> entity = rebuild(*header, source);
        if (!entity)
            return false;
        saved.pending.push_back(std::move(entity));
    }
    return true;
}

} // namespace q71
