#pragma once
// Scenes: the clumps and directional lights a camera renders. A scene owns the lights added to
// it; its clumps stay their makers' (destroying a scene only lets go of them).

#include "render3d/math.h"

#include <memory>
#include <vector>

namespace q71::r3d {

class Clump;

/// A light shining along a direction; its colour is its strength per channel.
struct Light {
    Vec3 direction{0.0f, -1.0f, 0.0f};
    float red = 1.0f, green = 1.0f, blue = 1.0f;
};

/// A directional light of the given strength (a grey colour); the direction is normalised.
Light* createDirectionalLight(Vec3 direction, float brightness);
void destroyLight(Light* light);
void setLightColour(Light& light, float red, float green, float blue);
void setLightBrightness(Light& light, float brightness);

class Scene {
public:
    Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene();

    /// Adds a clump without a parent (one taken from another scene leaves it); false otherwise.
    bool addClump(Clump* clump);
    void removeClump(Clump* clump);
    /// The scene takes the light over (from another scene too).
    void addLight(Light* light);

    const std::vector<Clump*>& clumps() const { return clumps_; }
    const std::vector<std::unique_ptr<Light>>& lights() const { return lights_; }

private:
    std::vector<Clump*> clumps_;
    std::vector<std::unique_ptr<Light>> lights_;
};

Scene* createScene();
void destroyScene(Scene* scene);

} // namespace q71::r3d
