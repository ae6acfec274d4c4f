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
template <class Wanted, class Visit>
void scanWorldInOrder(Wanted&& wanted, Visit&& visit) {
    const LinkedList<Entity>& world = worldList();
    const std::uint64_t revision = world.revision();
    const std::vector<ScanEntry>& entries = scanEntries();
    const std::size_t count = entries.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i + kScanFetchAhead < count) {
            // The lines the first tests read: the entity's record and id, its noise factor, motion
            // and sensors; the motion's place, states and top speed. (Written out here: a helper
            // that only fetches looks pure to the compiler, which then drops its calls.)
            const ScanEntry& ahead = entries[i + kScanFetchAhead];
            __builtin_prefetch(&ahead.entity->recordId);
            __builtin_prefetch(&ahead.entity->noiseFactor);
            __builtin_prefetch(&ahead.entity->sensors);
            if (const MotionModel* motion = ahead.motion) {
                __builtin_prefetch(&motion->x);
                __builtin_prefetch(&motion->sinking);
                __builtin_prefetch(&motion->maxSpeed);
            }
        }
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

} // namespace q71
