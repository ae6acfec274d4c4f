// The frame of a 3-D view: camera, objects, layers, the time-of-day look and the rendering.
#include "tactical/rwutils/rw_widget.h"

#include "framework/math/fast_math.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "render3d/frame_renderer.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/rw_effects.h"
#include "tactical/rwutils/sea_surface.h"
#include "tactical/rwutils/sea_texture.h"
#include "tactical/rwutils/surface_patch.h"
#include "tactical/rwutils/view_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr int kRateFrames = 30;
constexpr float kUnderwaterLevel = -0.05f;
constexpr float kTerrainClearance = 1.5f;
constexpr std::array<std::array<const char*, 3>, 3> kSkies{{
    {"day1", "day2", "day3"},
    {"night1", "night2", "night3"},
    {"dusk1", "dusk2", "dusk3"},
}};
struct Colour {
    float r, g, b;
};
// Horizon colours by [variant][phase]: what fog blends into above water.
constexpr std::array<std::array<Colour, 3>, 3> kHorizon{{
    {{{0.5f, 0.7f, 1.0f}, {0.09f, 0.09f, 0.29f}, {0.9f, 0.22f, 0.22f}}},
    {{{0.58f, 0.74f, 1.0f}, {0.09f, 0.13f, 0.26f}, {0.71f, 0.22f, 0.22f}}},
    {{{0.71f, 0.71f, 0.75f}, {0.09f, 0.13f, 0.22f}, {0.42f, 0.19f, 0.19f}}},
}};
constexpr Colour kUnderwaterBackground{0.15f, 0.2f, 0.3f};
// Light colours by phase, above and under water.
constexpr std::array<Colour, 3> kLightAbove{{{0.4f, 0.4f, 0.4f}, {0.1f, 0.1f, 0.1f}, {0.25f, 0.2f, 0.2f}}};
constexpr std::array<Colour, 3> kLightBelow{{{0.35f, 0.4f, 0.4f}, {0.2f, 0.2f, 0.2f}, {0.25f, 0.28f, 0.28f}}};

// The own boat's mast of each slot.
constexpr std::array<int, kRwMastSlots> kSlotMasts{kMastPeriscope, kMastRadio, kMastEsm, kMastRadar, kMastSnorkel};

const OwnShipMotion* ownMotion() {
    const auto* own = worldOwnSubmarine();
    return own ? own->ownMotion : nullptr;
}

float wrapped(float v, float period) {
    return static_cast<float>(wrapInto(v, period));
}

} // namespace

void RWWidget::render() {
    if (!shown_ || !camera_)
        return;
    rwRunCompletions();
    placeCamera();
    cameraScene_ = r3d::cameraPosition(*camera_);
    cameraScene_.x += originX_;
    cameraScene_.z += originZ_;
    placeObjects();
    recentreSeaPlane();
    recentreSkyCone();
    updateLayers();
    rwEffects().updateExplosions(originX_, originZ_);
    rwUpdateSeaTexture();
    if (!fogOn_) {
        setBackColour();
        r3d::switchFog(false);
    }
    auto dc = getWindowDC(window_);
    if (!dc)
        return;
    blitFrame(*dc);
    if (++framesCounted_ >= kRateFrames) {
        const std::uint32_t now = timerTickCount();
        const std::uint32_t ms = now - rateTick_;
        // A burst of frames inside one tick keeps the last estimate.
        if (ms > 0)
            frameRate_ = kRateFrames * 1000.0 / ms;
        framesCounted_ = 0;
        rateTick_ = now;
    }
    drawOnWindow(*dc);
}

void RWWidget::placeCamera() {
    r3d::transformCamera(*camera_, r3d::Matrix::identity(), r3d::Combine::Replace);
    if (attached_ && attached_->x) {
        const r3d::Vec3 at{static_cast<float>(*attached_->x * 0.1), static_cast<float>(*attached_->z * 0.1),
                           static_cast<float>(-*attached_->y * 0.1)};
        r3d::setCameraPosition(*camera_, at);
        r3d::setCameraLookAt(*camera_, {0.0f, 0.0f, -1.0f});
        r3d::setCameraLookUp(*camera_, {0.0f, 1.0f, 0.0f});
        r3d::panCamera(*camera_, freeCamera_.y);
        r3d::tiltCamera(*camera_, freeCamera_.x);
        r3d::moveCamera(*camera_, {0.0f, 0.0f, freeCamera_.z});
        const r3d::Vec3 p = r3d::cameraPosition(*camera_);
        originX_ = p.x;
        originZ_ = p.z;
        r3d::setCameraPosition(*camera_, {0.0f, p.y, 0.0f});
    } else {
        originX_ = freeCamera_.x;
        originZ_ = freeCamera_.z;
        r3d::setCameraPosition(*camera_, {0.0f, freeCamera_.y, 0.0f});
        r3d::setCameraLookAt(*camera_, look_);
        r3d::setCameraLookUp(*camera_, {0.0f, 1.0f, 0.0f});
    }
    liftAboveTerrain();
}

void RWWidget::liftAboveTerrain() {
    const Surface* patch = land_ ? static_cast<const Surface*>(land_.get())
                           : lowGround_ ? static_cast<const Surface*>(lowGround_.get())
                                        : static_cast<const Surface*>(seabed_.get());
    if (!patch)
        return;
    const double h = patch->terrainHeight(originX_ * 10.0, -originZ_ * 10.0);
    const auto lowest = static_cast<float>(h * 0.1 + kTerrainClearance);
    r3d::Vec3 p = r3d::cameraPosition(*camera_);
    if (p.y < lowest)
        r3d::setCameraPosition(*camera_, {p.x, lowest, p.z});
}

void RWWidget::placeObjects() {
    const r3d::Vec3 look = r3d::cameraLookAt(*camera_);
    const float lookBearing = sceneBearing(look.x, -look.z);
    const auto dt = static_cast<float>(simClock().lastFrameStep);
    for (RwObject& o : objects_)
        placeObject(o, lookBearing, dt);
}

void RWWidget::placeObject(RwObject& o, float lookBearing, float dt) {
    if (!o.clump || !o.x)
        return;
    const float sx = static_cast<float>(*o.x * 0.1), sy = static_cast<float>(*o.y * 0.1);
    const float dx = sx - cameraScene_.x, dz = sy + cameraScene_.z;
    const float d = std::sqrt(dx * dx + dz * dz);
    const float bearing = o.bearingTest ? sceneBearing(dx, dz) : lookBearing;
    const bool visible = objectInView(d, o.visibleRange, bearingDifference(lookBearing, bearing), viewCone());
    if (visible && !o.inScene)
        o.inScene = scene_->addClump(o.clump);
    else if (!visible && o.inScene) {
        scene_->removeClump(o.clump);
        o.inScene = false;
    }
    if (!o.inScene)
        return;
    updateMasts(o);
    const float drop = &o == attached_ ? 0.0f : hullDownDrop(o.kind, d, cameraScene_.y, hullDown_);
    const r3d::Vec3 at{sx - originX_, static_cast<float>(*o.z * 0.1) - drop, -sy - originZ_};
    r3d::transformClump(*o.clump, r3d::Matrix::rotation(r3d::Axis::Z, static_cast<float>(-*o.roll)),
                        r3d::Combine::Replace);
    r3d::transformClump(*o.clump, r3d::Matrix::rotation(r3d::Axis::X, static_cast<float>(-*o.pitch)),
                        r3d::Combine::Postcat);
    r3d::transformClump(*o.clump, r3d::Matrix::rotation(r3d::Axis::Y, static_cast<float>(180.0 - *o.heading)),
                        r3d::Combine::Postcat);
    r3d::transformClump(*o.clump, r3d::Matrix::translation(at), r3d::Combine::Postcat);

    if (o.kind == 2 && halfSeaState_ > 0.0f && o.size > 0.0f && o.hull) {
        advanceSeaway(o.size, dt, o.seawayPhase1, o.seawayPhase2);
        const SeawayAngles a = seawayAngles(halfSeaState_, o.size, o.seawayPhase1, o.seawayPhase2);
        r3d::transformJoint(*o.hull, r3d::Matrix::rotation(r3d::Axis::X, static_cast<float>(a.pitch)),
                            r3d::Combine::Replace);
        r3d::transformJoint(*o.hull, r3d::Matrix::rotation(r3d::Axis::Z, static_cast<float>(a.roll)),
                            r3d::Combine::Postcat);
    }
    for (auto& part : o.parts) {
        if (!part.part)
            continue;
        const float direction = part.rate < 0.0f ? 1.0f : -1.0f;
        switch (part.type) {
        case 1:
        case 2:
        case 3: {
            const r3d::Axis axis = part.type == 1 ? r3d::Axis::X : part.type == 2 ? r3d::Axis::Y : r3d::Axis::Z;
            r3d::transformJoint(*part.part, r3d::Matrix::rotation(axis, direction * std::fabs(part.rate)),
                                r3d::Combine::Postcat);
            break;
        }
        case 4:
        case 5:
            part.phase += part.rate;
            r3d::transformJoint(*part.part,
                                r3d::Matrix::rotation(part.type == 4 ? r3d::Axis::X : r3d::Axis::Y,
                                                      8.0f * std::sin(part.phase * std::numbers::pi_v<float> / 180.0f)),
                                r3d::Combine::Replace);
            break;
        default:
            break;
        }
    }
}

std::array<bool, kRwMastSlots> raisedMastSlots(const std::array<TwoPositionDevice, kMastCount>& masts, bool display) {
    std::array<bool, kRwMastSlots> raised{};
    for (std::size_t i = 0; i < raised.size() && display; ++i) {
        const TwoPositionDevice& device = masts[static_cast<std::size_t>(kSlotMasts[i])];
        raised[i] = effectiveDeviceState(device.state, device.completionTime) == kDeviceRaised;
    }
    return raised;
}

void RWWidget::updateMasts(RwObject& o) {
    const OwnShipMotion* motion = ownMotion();
    const std::array<bool, kRwMastSlots> raised =
        motion ? raisedMastSlots(motion->masts, mastDisplay_) : std::array<bool, kRwMastSlots>{};
    for (std::size_t i = 0; i < o.masts.size(); ++i) {
        RwObject::Mast& mast = o.masts[i];
        if (!mast.model || !o.hull)
            continue;
        if (raised[i] && !mast.attached)
            r3d::addChild(*o.hull, mast.model);
        else if (!raised[i] && mast.attached)
            r3d::removeChild(mast.model);
        mast.attached = raised[i];
    }
}

void RWWidget::recentreSeaPlane() {
    if (!seaPlane_ || seaPlane_->vertices.size() < 4)
        return;
    const float u = wrapped(cameraScene_.x * 0.005f, 16.0f), v = wrapped(cameraScene_.z * 0.005f, 16.0f);
    constexpr float kHalf = 200.0f;
    const std::array<r3d::Vec3, 4> corners{{{-kHalf, 0, -kHalf}, {kHalf, 0, -kHalf}, {kHalf, 0, kHalf}, {-kHalf, 0, kHalf}}};
    const std::array<std::array<float, 2>, 4> uv{{{u, v}, {u + 2, v}, {u + 2, v + 2}, {u, v + 2}}};
    for (int i = 0; i < 4; ++i) {
        r3d::setVertexPosition(*seaPlane_, i + 1, corners[static_cast<std::size_t>(i)]);
        r3d::setVertexUV(*seaPlane_, i + 1, uv[static_cast<std::size_t>(i)][0], uv[static_cast<std::size_t>(i)][1]);
    }
}

void RWWidget::recentreSkyCone() {
    if (!skyCone_)
        return;
    bool shown = true;
    if (skyShown_ == 1.0f) {
        shown = cameraScene_.y >= 0.0f;
        if (shown && !skyInScene_)
            skyInScene_ = scene_->addClump(skyCone_);
        else if (!shown && skyInScene_) {
            scene_->removeClump(skyCone_);
            skyInScene_ = false;
        }
    }
    if (!shown || skyCone_->vertices.size() < 5)
        return;
    const float u = wrapped(cameraScene_.x * 0.005f, 16.0f), v = wrapped(cameraScene_.z * 0.005f, 16.0f);
    constexpr float kHalf = 2000.0f, kApex = 300.0f;
    const float y = cameraScene_.y;
    const std::array<r3d::Vec3, 5> points{
        {{-kHalf, 0, -kHalf}, {kHalf, 0, -kHalf}, {kHalf, 0, kHalf}, {-kHalf, 0, kHalf}, {0, y + kApex, 0}}};
    const std::array<std::array<float, 2>, 5> uv{{{u, v}, {u + 8, v}, {u + 8, v + 8}, {u, v + 8}, {u + 4, v + 4}}};
    for (int i = 0; i < 5; ++i) {
        r3d::setVertexPosition(*skyCone_, i + 1, points[static_cast<std::size_t>(i)]);
        r3d::setVertexUV(*skyCone_, i + 1, uv[static_cast<std::size_t>(i)][0], uv[static_cast<std::size_t>(i)][1]);
    }
}

void RWWidget::updateLayers() {
    const r3d::Vec3 c = cameraScene_;
    if (sea_)
        sea_->update(c.x, c.z, -c.y);
    if (land_) {
        land_->update(c.x, c.y, c.z);
        if (sea_)
            land_->yieldSeaWithin(c.x, c.z, SeaSurface::reach());
    }
    if (lowGround_)
        lowGround_->update(c.x, c.y, c.z);
    if (seabed_ && c.y <= 0.0f)
        seabed_->update(c.x, c.y, c.z);
}

void RWWidget::readTimeOfDay() {
    const std::uint32_t code = phaseOverride_ ? static_cast<std::uint32_t>(phaseOverride_) : simClock().dayPhase;
    phase_ = static_cast<int>(std::min<std::uint32_t>(code - 1u, 2u));
    variant_ = static_cast<int>(std::min<std::uint32_t>(simClock().skyVariant, 2u));
}

void RWWidget::applyTimeOfDay() {
    const Colour& c = (underwater_ ? kLightBelow : kLightAbove)[static_cast<std::size_t>(phase_)];
    r3d::setLightColour(*light_, c.r, c.g, c.b);
}

void RWWidget::useBackdrop(const std::string& name) {
    if (!backdropName_.empty()) {
        r3d::setBackdrop(*camera_, nullptr);
        rwReleaseTextureAlt(backdropName_);
    }
    backdropName_ = name;
    r3d::setBackdrop(*camera_, name.empty() ? nullptr : rwLoadTextureAlt(name));
}

void RWWidget::updateEnvironment() {
    underwater_ = cameraScene_.y < kUnderwaterLevel;
    readTimeOfDay();
    const int under = underwater_ ? 1 : 0;
    if (under != previousUnderwater_) {
        auto showPatch = [](Surface* s, bool on) {
            if (s)
                s->clump()->visible = on;
        };
        showPatch(land_.get(), true);
        showPatch(lowGround_.get(), !underwater_);
        showPatch(seabed_.get(), underwater_);
    }
    if (withBackdrop_ && (phase_ != previousPhase_ || variant_ != previousVariant_ || under != previousUnderwater_)) {
        std::string sky;
        if (!underwater_ && !noBackdrop_)
            sky = std::string(kSkies[static_cast<std::size_t>(phase_)][static_cast<std::size_t>(variant_)]) +
                  (zoom_ > 1.0 ? "m.bmp" : ".bmp");
        useBackdrop(sky);
        applyTimeOfDay();
        if (fogOn_) {
            const Colour c = underwater_ ? kUnderwaterBackground
                                         : kHorizon[static_cast<std::size_t>(variant_)][static_cast<std::size_t>(phase_)];
            r3d::setBackgroundColour(*camera_, c.r, c.g, c.b);
        }
        previousPhase_ = phase_;
        previousVariant_ = variant_;
        previousUnderwater_ = under;
    }
    const bool backdrop = withBackdrop_ && camera_->backdrop != nullptr;
    const double rad = std::numbers::pi / 180.0;
    const BackdropPlacement p = placeBackdrop(r3d::cameraLookAt(*camera_), width_, height_, fieldX_ * rad,
                                              fieldY_ * rad, zoom_, backdrop);
    if (backdrop)
        r3d::setBackdropOffset(*camera_, p.offsetX, p.offsetY);
    r3d::setBackdropViewport(*camera_, p.viewport.x, p.viewport.y, p.viewport.width, p.viewport.height);
}

void RWWidget::renderScene() {
    r3d::invalidateCamera(*camera_);
    if (!r3d::beginCameraUpdate(*camera_))
        return;
    r3d::clearCamera(*camera_);
    r3d::renderScene(*scene_);
    const r3d::Vec3 at = cameraScene_;
    rwEffects().drawEffects(at);
    if (underwaterBubbles_ && underwater_) {
        r3d::setCameraPosition(*camera_, {at.x * 4.0f, at.y, at.z * 4.0f});
        rwEffects().drawBubbles(at);
    }
    drawInCamera();
    r3d::endCameraUpdate(*camera_);
}

void RWWidget::blitFrame(DeviceContext& dc) {
    if (!shown_ || !camera_)
        return;
    updateEnvironment();
    renderScene();
    if (auto image = r3d::cameraContext(*camera_))
        drawOnImage(*image);
    r3d::showCamera(*camera_, dc, 0, 0);
}

} // namespace q71
