#pragma once
// The animated sea of a 3-D view: a disc of 9 rings of 36 vertices around a centre vertex,
// reaching about 318 scene units out, whose heights follow the sea's wave function over time
// scaled by the sea state, and whose texture slides with the camera so the sea stays fixed to
// the world. The tick count is the window system's.

#include "render3d/clump.h"
#include "render3d/material.h"

#include <cstdint>
#include <vector>

namespace q71 {

class SeaSurface {
public:
    static constexpr int kRings = 9;
    static constexpr int kAround = 36;
    static constexpr int kVertices = 1 + kRings * kAround;
    /// How far the disc reaches all round (scene units): its outer ring's edges pass this close.
    static float reach();

    SeaSurface();
    ~SeaSurface();
    SeaSurface(const SeaSurface&) = delete;
    SeaSurface& operator=(const SeaSurface&) = delete;

    void setSeaState(int value);
    int seaState() const { return seaState_; }
    float amplitude() const { return amplitude_; }
    r3d::Clump* clump() const { return clump_; }
    r3d::Material* material() const { return material_; }
    /// Puts the shared sea texture (none while textures are off) on the sea material.
    void applyTexture();
    /// Advances the wave time by the ticks since the last update and reshapes the disc around
    /// the camera (scene X and Z; the third value is not used).
    void update(float cameraX, float cameraZ, float negatedCameraY);
    /// The height of the disc's centre (scene units): the sea level under the camera.
    float centreHeight() const { return current_[1]; }
    float waveTime() const { return waveTime_; }

private:
    std::vector<float> current_; // three per vertex
    std::vector<float> rest_;
    r3d::Material* material_ = nullptr;
    std::uint32_t consumedMs_ = 0;
    std::uint32_t startTick_ = 0;
    float waveTime_ = 0.0f;
    float amplitude_ = 0.16f;
    int seaState_ = 2;
    r3d::Clump* clump_ = nullptr;
};

} // namespace q71
