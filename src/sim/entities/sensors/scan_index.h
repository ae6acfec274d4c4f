#pragma once
// The world list laid out as an array for the sensors' scans. A scan walks every entity of the
// world each time it runs; walking the list's nodes one from another waits on memory at each
// step, and most entities are out of the sensor's reach anyway. The array holds the nodes and
// their entities in list order, made again whenever the list's revision changes, so that a
// scan steps through it and tests each entity's place before it calls the sensor at all.
//
// A scan may add entities to the world or take them away (a blast a detection sets off): the
// walk then goes on along the list's nodes from the node it stands on, exactly as a walk of the
// nodes would have gone on.
//
// The first read of an entity and of its motion waits on memory: the walk asks for both some
// entries ahead. Fetching ahead only reads, so it changes nothing a scan finds.

#include "framework/lists/linked_list.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/world_lists.h"

#include <cstdint>
#include <vector>

namespace q71 {

class Entity;

/// One entity of the world list and its node.
struct ScanEntry {
    LinkedList<Entity>::Node* node;
    Entity* entity;
    /// The entity's motion when the array was made: only where to fetch ahead, never read through
    /// (an entity may have been given another since).
    const MotionModel* motion;
};

/// How many entries ahead of the one tested the walk asks for an entity and its motion.
inline constexpr std::size_t kScanFetchAhead = 12;

/// The world list's nodes in order, as the list stands now (made again when it has changed).
/// The reference holds until the list next changes.
const std::vector<ScanEntry>& scanEntries();

/// Walks the world list in order and hands `visit` every entity that `wanted` lets through.
/// `wanted` must neither change the world nor draw; `visit` may do anything a walk of the nodes
/// allows, adding entities to the list or taking away others than the one it was handed.
/// `ahead`, which may only read, is handed the entity half the fetching distance ahead, whose
/// own lines have come by then: a scan whose tests read further asks for that there.
template <class Wanted, class Visit, class Ahead>
void scanWorldInOrder(Wanted&& wanted, Visit&& visit, Ahead&& ahead) {
    const LinkedList<Entity>& world = worldList();
    const std::uint64_t revision = world.revision();
    const std::vector<ScanEntry>& entries = scanEntries();
    const std::size_t count = entries.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kScanFetchAhead < count) {
            // The lines every scan's first test reads: the entity's noise factor, motion and
            // sensors, and the motion's place. (Written out in the loop: the compiler dropped
            // them from an inline helper of their own.)
            const ScanEntry& next = entries[i + kScanFetchAhead];
            __builtin_prefetch(&next.entity->noiseFactor);
            __builtin_prefetch(&next.entity->sensors);
            if (const MotionModel* motion = next.motion) {
                __builtin_prefetch(&motion->x);
                __builtin_prefetch(&motion->z);
            }
        }
        if (i + kScanFetchAhead / 2 < count)
            ahead(*entries[i + kScanFetchAhead / 2].entity);
        const ScanEntry entry = entries[i];
        if (!wanted(*entry.entity))
            continue;
        visit(*entry.entity);
        if (world.revision() == revision)
            continue;
        // The list changed under the visit (and the array with it): on along the nodes.
        for (auto* node = entry.node->next; node; node = node->next)
            if (wanted(*node->item))
                visit(*node->item);
        return;
    }
}

/// scanWorldInOrder with nothing asked for beyond the entity and its motion.
template <class Wanted, class Visit>
void scanWorldInOrder(Wanted&& wanted, Visit&& visit) {
    scanWorldInOrder(wanted, visit, [](const Entity&) {});
}

} // namespace q71
