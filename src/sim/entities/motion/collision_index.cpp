#include "sim/entities/motion/collision_index.h"

#include "sim/entities/entity.h"
#include "sim/entities/motion/motion_model.h"
#include "sim/simulation/world_lists.h"

#include <algorithm>
#include <cmath>

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
    const LinkedList<Entity>& world = worldList();
    int largest = 0;
    for (auto* node = world.head(); node; node = node->next)
        if (const MotionModel* m = node->item->motion.get())
            largest = std::max(largest, m->boundingRadius);
    // Two hulls touch only within the sum of their radii: never more than a cell apart.
    cellSize_ = std::max(2.0 * largest, 1.0);
    int ordinal = 0;
    for (auto* node = world.head(); node; node = node->next, ++ordinal) {
        Entity& entity = *node->item;
        ordinals_.emplace(&entity, ordinal);
        if (const MotionModel* m = entity.motion.get(); m && m->boundingRadius != 0)
            cells_[cellOf(m->smoothedState[kSampleX], m->smoothedState[kSampleY])].push_back({ordinal, &entity});
    }
    lastIndexed_ = world.tail();
    activeIndex = this;
}

CollisionIndex::~CollisionIndex() {
    activeIndex = previous_;
}

const CollisionIndex* CollisionIndex::active() {
    return activeIndex;
}

std::int64_t CollisionIndex::cellOf(double x, double y) const {
    const auto column = static_cast<std::int64_t>(std::floor(collisionWhole(x) / cellSize_));
    const auto row = static_cast<std::int64_t>(std::floor(collisionWhole(y) / cellSize_));
    return column * kColumnStride + row;
}

void CollisionIndex::forEachAfter(const Entity& self, const std::function<void(Entity&)>& visit) const {
    LinkedList<Entity>::Node* late = nullptr;
    if (const auto own = ordinals_.find(&self); own != ordinals_.end()) {
        std::vector<Hull> near;
        if (const MotionModel* m = self.motion.get()) {
            const std::int64_t centre = cellOf(m->smoothedState[kSampleX], m->smoothedState[kSampleY]);
            for (std::int64_t column = -1; column <= 1; ++column)
                for (std::int64_t row = -1; row <= 1; ++row)
                    if (const auto cell = cells_.find(centre + column * kColumnStride + row); cell != cells_.end())
                        for (const Hull& hull : cell->second)
                            if (hull.ordinal > own->second)
                                near.push_back(hull);
        }
        std::sort(near.begin(), near.end(), [](const Hull& a, const Hull& b) { return a.ordinal < b.ordinal; });
        for (const Hull& hull : near)
            visit(*hull.entity);
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
