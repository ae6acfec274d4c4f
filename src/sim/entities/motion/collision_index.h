#pragma once
// The hulls near enough to one another to touch, for one pass of the world step over its
// entities. Each model tests the hulls after it in the world list; without an index that is a
// walk of the whole rest of the list, for every hull, every sub-step. The index is built from the
// smoothed positions, which stay as they are through the pass, on cells as wide as the largest
// reach of two hulls: a model is handed, in list order, the hulls after it in its own cell and
// the eight around it, then every entity added to the world since the index was built. The index
// is two sorted arrays (hulls by cell and list order, entities by address), so building it and
// asking it cost a few allocations a pass, not a few per hull.

#include "framework/lists/linked_list.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace q71 {

class Entity;

/// A coordinate as the quick test of two hulls takes it: whole metres, held within ±2e9.
int collisionWhole(double v);

class CollisionIndex {
public:
    /// Indexes the world list as it stands; the models test through it while it lives.
    CollisionIndex();
    ~CollisionIndex();
    CollisionIndex(const CollisionIndex&) = delete;
    CollisionIndex& operator=(const CollisionIndex&) = delete;

    /// Hands each entity after `self` in the world list that may touch it to `visit`, in list
    /// order: those of the index near it, then those added since it was built.
    void forEachAfter(const Entity& self, const std::function<void(Entity&)>& visit) const;

    /// The index of the pass under way, or null (a model then walks the list).
    static const CollisionIndex* active();

private:
    struct Hull {
        std::int64_t cell;
        int ordinal; // place in the world list
        Entity* entity;
    };
    struct Ordinal {
        const Entity* entity;
        int ordinal;
    };

    std::int64_t cellOf(double x, double y) const;

    double cellSize_ = 1.0;
    std::vector<Hull> hulls_;                         // by cell, then in list order
    std::vector<Ordinal> ordinals_;                   // every entity of the list, by address
    LinkedList<Entity>::Node* lastIndexed_ = nullptr; // the list's tail when built
    const CollisionIndex* previous_ = nullptr;
};

} // namespace q71
