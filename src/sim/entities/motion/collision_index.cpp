#include "sim/entities/motion/collision_index.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/world_lists.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace q71 {

namespace {

const CollisionIndex* activeIndex = nullptr; // the index of the pass under way

// Cell keys: the column above the row's 32 bits. Whole coordinates keep rows within 31 bits.
constexpr std::int64_t kColumnStride = 4294967296LL;

} // namespace

int collisionWhole(double v) {
    return static_cast<int>(std::clamp(v, -2.0e9, 2.0e9));
}

CollisionIndex::CollisionIndex() : previous_(activeIndex) {
    build();
}

CollisionIndex::CollisionIndex(Storage& storage) : previous_(activeIndex), storage_(&storage) {
    // The arrays are taken, not shared: an index made inside the life of another (a sub-step
    // within a sub-step) finds the storage empty and fills arrays of its own.
    hulls_.swap(storage.hulls_);
    ordinals_.swap(storage.ordinals_);
    build();
}

void CollisionIndex::build() {
    const LinkedList<Entity>& world = worldList();
    int largest = 0;
    int count = 0;
    for (auto* node = world.head(); node; node = node->next, ++count)
        if (const MotionModel* m = node->item->motion.get())
            largest = std::max(largest, m->boundingRadius);
    // Two hulls touch only within the sum of their radii: never more than a cell apart.
    cellSize_ = std::max(2.0 * largest, 1.0);
    hulls_.clear();
    ordinals_.clear();
    ordinals_.reserve(static_cast<std::size_t>(count));
    hulls_.reserve(static_cast<std::size_t>(count));
    int ordinal = 0;
    for (auto* node = world.head(); node; node = node->next, ++ordinal) {
        Entity& entity = *node->item;
        ordinals_.push_back({&entity, ordinal});
        if (const MotionModel* m = entity.motion.get(); m && m->boundingRadius != 0)
            hulls_.push_back(
                {cellOf(m->smoothedState[kSampleX], m->smoothedState[kSampleY]), ordinal, &entity});
    }
    std::sort(ordinals_.begin(), ordinals_.end(), [](const Ordinal& a, const Ordinal& b) {
        return std::less<const Entity*>()(a.entity, b.entity);
    });
    // Within a cell the hulls keep their list order (the ordinals are unique: a plain sort, which
    // needs no buffer, orders them as a stable sort by cell would).
    std::sort(hulls_.begin(), hulls_.end(), [](const Hull& a, const Hull& b) {
        return a.cell != b.cell ? a.cell < b.cell : a.ordinal < b.ordinal;
    });
    lastIndexed_ = world.tail();
    activeIndex = this;
}

CollisionIndex::~CollisionIndex() {
    activeIndex = previous_;
    if (storage_) {
        storage_->hulls_.swap(hulls_);
        storage_->ordinals_.swap(ordinals_);
    }
}

const CollisionIndex* CollisionIndex::active() {
    return activeIndex;
}

std::int64_t CollisionIndex::cellOf(double x, double y) const {
    const auto column = static_cast<std::int64_t>(std::floor(collisionWhole(x) / cellSize_));
    const auto row = static_cast<std::int64_t>(std::floor(collisionWhole(y) / cellSize_));
    return column * kColumnStride + row;
}

void CollisionIndex::forEachAfter(const Entity& self, EntityVisit visit) const {
    LinkedList<Entity>::Node* late = nullptr;
    const auto own =
        std::lower_bound(ordinals_.begin(), ordinals_.end(), &self, [](const Ordinal& o, const Entity* e) {
            return std::less<const Entity*>()(o.entity, e);
        });
    if (own != ordinals_.end() && own->entity == &self) {
        if (const MotionModel* m = self.motion.get()) {
            // The hulls after this one in each of the nine cells, each run in list order, merged.
            struct Run {
                std::vector<Hull>::const_iterator next, end;
            };
            Run runs[9];
            int count = 0;
            const std::int64_t centre = cellOf(m->smoothedState[kSampleX], m->smoothedState[kSampleY]);
            // The three cells of a column are neighbours among the keys: one search finds them.
            for (std::int64_t column = -1; column <= 1; ++column) {
                const std::int64_t low = centre + column * kColumnStride - 1, high = low + 2;
                auto first = std::lower_bound(hulls_.begin(), hulls_.end(), low,
                                              [](const Hull& h, std::int64_t c) { return h.cell < c; });
                while (first != hulls_.end() && first->cell <= high) {
                    const auto last = std::upper_bound(first, hulls_.end(), first->cell,
                                                       [](std::int64_t c, const Hull& h) { return c < h.cell; });
                    const auto after = std::upper_bound(first, last, own->ordinal,
                                                        [](int o, const Hull& h) { return o < h.ordinal; });
                    if (after != last)
                        runs[count++] = {after, last};
                    first = last;
                }
            }
            for (;;) {
                Run* lowest = nullptr;
                for (Run* run = runs; run != runs + count; ++run)
                    if (run->next != run->end && (!lowest || run->next->ordinal < lowest->next->ordinal))
                        lowest = run;
                if (!lowest)
                    break;
                visit(*(lowest->next++)->entity);
            }
        }
        // Taken only now: a visit may have added an entity (an explosion) to the world.
        late = lastIndexed_ ? lastIndexed_->next : worldList().head();
    } else {
        // Added since the index was built: what follows it was added after it.
        for (late = lastIndexed_ ? lastIndexed_->next : worldList().head(); late && late->item != &self;)
            late = late->next;
        if (late)
            late = late->next;
    }
    for (; late; late = late->next)
        visit(*late->item);
}

} // namespace q71
