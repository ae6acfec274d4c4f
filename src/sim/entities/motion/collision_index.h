#pragma once
// The hulls near enough to one another to touch, for one pass of the world step over its
// entities. Each model tests the hulls after it in the world list; without an index that is a
// walk of the whole rest of the list, for every hull, every sub-step. The index is built from the
// smoothed positions, which stay as they are through the pass, on cells as wide as the largest
// reach of two hulls: a model is handed, in list order, the hulls after it in its own cell and
// the eight around it, then every entity added to the world since the index was built. The index
// is two sorted arrays (hulls by cell and list order, entities by address). Their memory is the
// world step's, kept from one sub-step to the next (`CollisionIndex::Storage`), so that the
// steady state allocates nothing for them.

#include "framework/lists/linked_list.h"

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

namespace q71 {

class Entity;

/// A coordinate as the quick test of two hulls takes it: whole metres, held within ±2e9.
int collisionWhole(double v);

/// A callable taking an entity, borrowed for one call: neither copied nor stored, so handing a
/// lambda on allocates nothing whatever it captures.
class EntityVisit {
public:
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, EntityVisit>)
    EntityVisit(F&& f) // NOLINT: converts from any callable, as a std::function would
        : callable_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
          call_([](void* callable, Entity& entity) { (*static_cast<std::remove_reference_t<F>*>(callable))(entity); }) {}

    void operator()(Entity& entity) const { call_(callable_, entity); }

private:
    void* callable_;
    void (*call_)(void*, Entity&);
};

class CollisionIndex {
    struct Hull {
        std::int64_t cell;
        int ordinal; // place in the world list
        Entity* entity;
    };
    struct Ordinal {
        const Entity* entity;
        int ordinal;
    };

public:
    /// The index's arrays between two sub-steps, for the next index to fill again: whoever keeps
    /// it across passes spares the index its allocations.
    class Storage {
        friend class CollisionIndex;
        std::vector<Hull> hulls_;
        std::vector<Ordinal> ordinals_;
    };

    /// Indexes the world list as it stands; the models test through it while it lives.
    CollisionIndex();
    /// The same, in the arrays of `storage`, which has them back when the index goes.
    explicit CollisionIndex(Storage& storage);
    ~CollisionIndex();
    CollisionIndex(const CollisionIndex&) = delete;
    CollisionIndex& operator=(const CollisionIndex&) = delete;

    /// Hands each entity after `self` in the world list that may touch it to `visit`, in list
    /// order: those of the index near it, then those added since it was built.
    void forEachAfter(const Entity& self, EntityVisit visit) const;

    /// The index of the pass under way, or null (a model then walks the list).
    static const CollisionIndex* active();

private:
    std::int64_t cellOf(double x, double y) const;
    void build();

    double cellSize_ = 1.0;
    std::vector<Hull> hulls_;                         // by cell, then in list order
    std::vector<Ordinal> ordinals_;                   // every entity of the list, by address
    LinkedList<Entity>::Node* lastIndexed_ = nullptr; // the list's tail when built
    const CollisionIndex* previous_ = nullptr;
    Storage* storage_ = nullptr; // whose arrays these are, if anyone's
};

} // namespace q71
