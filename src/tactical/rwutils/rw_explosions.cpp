#include "tactical/rwutils/rw_explosions.h"

#include "render3d/frame_renderer.h"
#include "render3d/sprite.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/rwutils/rw_cache.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

constexpr double kMinimumSize = 2.0;
constexpr int kCycleLength = 6;

struct TextureCycle {
    std::array<const char*, kCycleLength> names;
    std::string current;
    int next = 0;
    r3d::Texture* loaded = nullptr; // result slot of the background load
};

struct Pool {
    std::array<RwExplosion, kExplosionSlots> slots{};
    TextureCycle surface{
        {"sboom2.bmp", "sboom3.bmp", "sboom4.bmp", "sboom5.bmp", "sboom6.bmp", "sboom7.bmp"}, {}, 0, nullptr};
    TextureCycle underwater{
        {"uboom1.bmp", "uboom2.bmp", "uboom3.bmp", "uboom4.bmp", "uboom5.bmp", "uboom6.bmp"}, {}, 0, nullptr};
    bool open = false;
};

Pool& pool() {
    static Pool p;
    return p;
}

double now() {
    return simClock().gameClock;
}

void takeNextName(TextureCycle& cycle) {
    cycle.current = cycle.names[static_cast<std::size_t>(cycle.next)];
    cycle.next = (cycle.next + 1) % kCycleLength;
}

// Loads the cycle's next name in the background; once it is in, it becomes the current name and
// the name used now loses its reference. A load already under way keeps its own job.
void preloadNext(TextureCycle& cycle) {
    const std::string usedNow = cycle.current;
    rwLoadTextureAsync(
        cycle.names[static_cast<std::size_t>(cycle.next)],
        [&cycle, usedNow](r3d::Texture**) {
            if (!pool().open) {
                // Closed meanwhile: the current name was released at the close; let go of the new one.
                rwReleaseTexture(cycle.names[static_cast<std::size_t>(cycle.next)]);
                return;
            }
            rwReleaseTexture(usedNow);
            takeNextName(cycle);
        },
        &cycle.loaded);
}

void freeSlot(RwExplosion& slot) {
    r3d::destroyClump(slot.sprite);
    rwReleaseTexture(slot.texture);
    slot = RwExplosion{};
}

void drawFrame(r3d::Clump& sprite) {
    const auto* slot = static_cast<const RwExplosion*>(sprite.userData);
    if (r3d::Texture* texture = r3d::findTexture(slot->texture))
        texture->setFrame(slot->frame);
    r3d::renderClump(sprite);
}

RwExplosion* startBurst(r3d::Clump* parent, double x, double y, double z, double size, bool surface,
                        int secondaries) {
    Pool& p = pool();
    if (!p.open || !parent)
        return nullptr;
    auto free =
        std::find_if(p.slots.begin(), p.slots.end(), [](const RwExplosion& s) { return s.state == 0; });
    if (free == p.slots.end())
        return nullptr;
    TextureCycle& cycle = (surface || (z > -1.0 && z < 1.0)) ? p.surface : p.underwater;
    RwExplosion& slot = *free;
    slot.texture = cycle.current;
    r3d::Texture* texture = rwLoadTexture(slot.texture);
    if (!texture)
        return nullptr;
    slot.sprite = r3d::makeSprite(texture);
    slot.state = 1;
    slot.start = now();
    slot.duration = kExplosionDuration;
    slot.size = std::max(size, kMinimumSize);
    slot.parent = parent;
    slot.frameCount = kExplosionFrames;
    slot.frame = 0;
    slot.framePeriod = slot.duration / kExplosionFrames;
    slot.nextFrameTime = 0.0f;
    slot.opacity = 1.0f;
    slot.secondariesLeft = secondaries;
    // Evenly spaced bursts within the explosion's life.
    slot.secondaryInterval = slot.duration / (secondaries + 1);
    slot.nextSecondaryTime = slot.secondaryInterval;
    slot.x = x;
    slot.y = y;
    slot.z = z;
    preloadNext(cycle);
    r3d::addChild(*parent, slot.sprite);
    slot.sprite->userData = &slot;
    slot.sprite->renderCallback = drawFrame;
    slot.sprite->matrix =
        r3d::compose(r3d::Matrix::translation({static_cast<float>(x * 0.1), static_cast<float>(z * 0.1),
                                               static_cast<float>(-y * 0.1)}),
                     r3d::Matrix::scaling({static_cast<float>(slot.size), static_cast<float>(slot.size),
                                           static_cast<float>(slot.size)}));
    return &slot;
}

void update(RwExplosion& slot, float originX, float originZ) {
    const double e = now() - slot.start;
    if (e > slot.duration) {
        freeSlot(slot);
        return;
    }
    // The sprite stays at its world point: its scene position less the view's floating origin.
    const auto s = static_cast<float>(slot.size);
    slot.sprite->matrix =
        r3d::compose(r3d::Matrix::translation({static_cast<float>(slot.x * 0.1) - originX,
                                               static_cast<float>(slot.z * 0.1),
                                               static_cast<float>(-slot.y * 0.1) - originZ}),
                     r3d::Matrix::scaling({s, s, s}));
    if (e > slot.nextFrameTime) {
        slot.frame = (slot.frame + 1) % slot.frameCount;
        slot.nextFrameTime += static_cast<float>(slot.framePeriod);
    }
    if (slot.secondariesLeft > 0 && e > slot.nextSecondaryTime) {
        --slot.secondariesLeft;
        slot.nextSecondaryTime += slot.secondaryInterval;
        // A burst of the surface fireball at the primary's place, with no bursts of its own.
        if (RwExplosion* burst = startBurst(slot.parent, slot.x, slot.y, slot.z, slot.size, true, 0))
            burst->sprite->matrix = slot.sprite->matrix;
    }
    if (e > slot.duration / 2) {
        slot.opacity = static_cast<float>(2.0 - e / (slot.duration / 2));
        r3d::forAllPolygons(*slot.sprite,
                            [&](r3d::Polygon& polygon) { r3d::setPolygonOpacity(polygon, slot.opacity); });
    }
}

} // namespace

void rwInitExplosions() {
    Pool& p = pool();
    if (p.open)
        return;
    for (RwExplosion& slot : p.slots)
        slot = RwExplosion{};
    for (TextureCycle* cycle : {&p.surface, &p.underwater}) {
        takeNextName(*cycle);
        rwLoadTexture(cycle->current);
    }
    p.open = true;
}

void rwFreeExplosions() {
    Pool& p = pool();
    if (!p.open)
        return;
    p.open = false;
    for (RwExplosion& slot : p.slots)
        if (slot.state == 1)
            freeSlot(slot);
    rwReleaseTexture(p.surface.current);
    rwReleaseTexture(p.underwater.current);
}

bool rwExplosionsOpen() {
    return pool().open;
}

void rwStartExplosion(r3d::Clump* parent, double x, double y, double z, double size, bool surface,
                      int secondaries) {
    startBurst(parent, x, y, z, size, surface, secondaries);
}

void rwUpdateExplosions(float originX, float originZ) {
    for (RwExplosion& slot : pool().slots)
        if (slot.state == 1)
            update(slot, originX, originZ);
}

void rwDropExplosionsIn(const r3d::Clump* parent) {
    for (RwExplosion& slot : pool().slots)
        if (slot.state == 1 && slot.parent == parent)
            freeSlot(slot);
}

const RwExplosion& rwExplosionSlot(int index) {
    return pool().slots.at(static_cast<std::size_t>(index));
}

const std::string& rwExplosionTextureName(bool surface) {
    return surface ? pool().surface.current : pool().underwater.current;
}

} // namespace q71
