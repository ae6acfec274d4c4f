// An entity in a saved mission: 336 bytes of its own fields, the own boat's contacts with their
// fixes, then its motion model, its controller and (a mobile mine not yet launched) its sensors.
#include "sim/entities/entity.h"

#include "sim/entities/controllers/entity_controller.h"
#include "sim/entities/field_codec.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/entities/sensors/sensor.h"
#include "sim/scoring/byte_stream.h"

namespace q71 {

namespace {

constexpr std::size_t kEntityBlockSize = 336;
constexpr std::size_t kContactSize = 2216;
constexpr std::size_t kFixSize = 88;
constexpr std::size_t kSmallestSensor = 855; // a saved sensor without an element chain


template <class E, class Codec> void entityBlock(E& e, Codec&& c) {
    c.u32(e.recordId);
    for (auto* v : {&e.side, &e.kind, &e.level, &e.id, &e.parentId})
        c.i32(*v);
    for (auto& v : e.designation)
        c.i32(v);
    for (auto& v : e.signatureLevel)
        c.i32(v);
    for (auto* v : {&e.hull, &e.floodPortTime, &e.floodStarboardTime, &e.floodAftTime, &e.systems, &e.repairTime})
        c.f64(*v);
    for (auto& v : e.weaponCount)
        c.i32(v);
    c.gap(4);
    for (auto* v : {&e.lastStateSentTime, &e.reservedValue, &e.lastTrackSweepTime, &e.ownX, &e.ownY,
                    &e.ownPositionTime})
        c.f64(*v);
    for (auto& v : e.contactCounters)
        c.i32(v);
    c.i32(e.contactSerial);
    for (auto& v : e.inventory)
        c.i32(v);
    auto& spare = e.spareWords;
    for (auto* v : {&spare.creationTime, &spare.firstTimer, &spare.secondTimer})
        c.f64(*v);
    c.i32(spare.keptEntityId);
    c.i32(spare.reserved);
    c.i32(e.resolved);
}

// The contact fields of the 2216-byte record; the fix lists, kept apart, follow it as counts and fixes.
template <class C, class Codec> void contactBlock(C& k, Codec&& c, std::uint16_t& recordId, std::uint16_t& entityId) {
    c.i32(k.reaction);
    c.i32(k.classified);
    c.u16(recordId);
    c.u16(entityId);
    c.i32(k.belowLayer);
    c.u8(k.designation.letter);
    for (auto& number : k.designation.numbers)
        c.u8(number);
    c.gap(1);
    c.i32(k.side);
    c.i32(k.kind);
    for (auto* v : {&k.lastUpdate, &k.classifyTime, &k.heldTime, &k.sinceFix, &k.bearing, &k.range, &k.course,
                    &k.speed, &k.rangeRate})
        c.f64(*v);
    c.u8(k.quality);
    c.gap(23);
    c.u8(k.referenceFlag);
    c.gap(3 + 14 * 148 + 4);
}

template <class F, class Codec> void fixBlock(F& f, Codec&& c) {
    c.f64(f.time);
    c.u8(f.quality);
    c.gap(3);
    c.i32(f.sensorType);
    for (auto* v : {&f.x, &f.y, &f.sensorX, &f.sensorY, &f.z, &f.bearing, &f.course, &f.speed})
        c.f64(*v);
    c.i32(f.count);
    c.gap(4);
}

bool loadContact(Entity& entity, ByteSource& source) {
    auto* contact = new ContactRecord;
    FieldReader r(source, kContactSize);
    std::uint16_t recordId = 0, entityId = 0;
    contactBlock(*contact, FieldReadCodec{r}, recordId, entityId);
    contact->recordId = recordId;
    contact->entityId = entityId;
    entity.contacts.appendItem(contact); // owned by the entity from here, whatever follows
    if (!r.ok())
        return false;
    for (FixList& fixes : contact->fixes) {
        FieldReader countField(source, 4);
        std::uint32_t count = 0;
        countField.u32(count);
        if (!countField.ok() || source.remaining() / kFixSize < count)
            return false;
        std::vector<ContactFix> read(count); // newest first, as written
        for (ContactFix& fix : read) {
            FieldReader fields(source, kFixSize);
            fixBlock(fix, FieldReadCodec{fields});
            if (!fields.ok())
                return false;
        }
        for (auto fix = read.rbegin(); fix != read.rend(); ++fix)
            fixes.push(*fix, static_cast<std::size_t>(std::max(entity.maxFixes, 1)));
    }
    return true;
}

} // namespace

bool Entity::contactIdsSavable() const {
    if (typeCode != kEntityOwnShip)
        return true;
    for (auto* node = contacts.head(); node; node = node->next)
        if (node->item->entityId < 0 || node->item->entityId > 0xFFFF)
            return false;
    return true;
}

bool Entity::save(ByteSink& sink) const {
    if (typeCode == 0)
        return true;
    // A contact's id cut to 16 bits would name another entity once loaded.
    if (!contactIdsSavable())
        return false;
    FieldWriter w;
    entityBlock(*this, FieldWriteCodec{w});
    if (typeCode == kEntityOwnShip) {
        w.u32(static_cast<std::uint32_t>(contacts.count()));
        for (auto* node = contacts.head(); node; node = node->next) {
            const ContactRecord& contact = *node->item;
            auto recordId = static_cast<std::uint16_t>(contact.recordId);
            auto entityId = static_cast<std::uint16_t>(contact.entityId);
            contactBlock(contact, FieldWriteCodec{w}, recordId, entityId);
            for (const FixList& fixes : contact.fixes) {
                w.u32(static_cast<std::uint32_t>(fixes.size()));
                for (std::size_t age = 0; age < fixes.size(); ++age)
                    fixBlock(fixes[age], FieldWriteCodec{w});
            }
        }
    }
    if (!w.flush(sink) || (motion && !motion->save(sink)) || (controller && !controller->save(sink)))
        return false;
    const bool withSensors = savesSensors();
    w.u32(withSensors ? static_cast<std::uint32_t>(sensors.count()) : 0);
    if (!w.flush(sink))
        return false;
    if (withSensors)
        for (auto* node = sensors.head(); node; node = node->next)
            if (!node->item->save(sink))
                return false;
    return true;
}

bool Entity::load(ByteSource& source) {
    {
        FieldReader r(source, kEntityBlockSize);
        entityBlock(*this, FieldReadCodec{r});
        if (!r.ok())
            return false;
    }
    if (typeCode == kEntityOwnShip) {
        contacts.deleteAll();
        FieldReader countField(source, 4);
        std::uint32_t count = 0;
        countField.u32(count);
        if (!countField.ok() || source.remaining() / kContactSize < count)
            return false;
        for (std::uint32_t i = 0; i < count; ++i)
            if (!loadContact(*this, source))
                return false;
    }
    if (motion && !motion->load(source))
        return false;
    // A wreck was saved without behaviour; a destroyed missile keeps its controller in the file
    // but flies no more.
    const bool wreck = motion && motion->sinking;
    const bool destroyedMissile = category == kCategoryMissile && hull <= 0.0;
    if (wreck)
        discardController();
    if (controller && !controller->load(source))
        return false;
    if (destroyedMissile)
        discardController();
    FieldReader countField(source, 4);
    std::uint32_t count = 0;
    countField.u32(count);
    if (!countField.ok() || source.remaining() / kSmallestSensor < count)
        return false;
    if (count > 0)
        sensors.deleteAll();
    for (std::uint32_t i = 0; i < count; ++i) {
        auto* sensor = new Sensor(*this, 0.0f);
        addSensor(sensor);
        if (!sensor->load(source))
            return false;
    }
    if (wreck || destroyedMissile)
        for (auto* node = sensors.head(); node; node = node->next)
            node->item->deleteFlag = 1;
    return true;
}

} // namespace q71
