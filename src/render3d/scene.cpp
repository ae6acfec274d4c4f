#include "render3d/scene.h"
#include "render3d/clump.h"

#include <algorithm>
#include <cmath>

namespace q71::r3d {

namespace {

float strength(float v) {
    return std::isfinite(v) ? std::clamp(v, 0.0f, 4.0f) : 0.0f;
}

// Lights not (yet) in a scene belong to the caller; a scene adopting one takes it from here.
std::vector<std::unique_ptr<Light>>& looseLights() {
    static std::vector<std::unique_ptr<Light>> list;
    return list;
}

std::vector<Scene*>& scenes() {
    static std::vector<Scene*> list;
    return list;
}

std::unique_ptr<Light> takeLight(std::vector<std::unique_ptr<Light>>& from, Light* light) {
    const auto it = std::find_if(from.begin(), from.end(), [&](const auto& l) { return l.get() == light; });
    if (it == from.end())
        return nullptr;
    auto out = std::move(*it);
    from.erase(it);
    return out;
}

} // namespace

Light* createDirectionalLight(Vec3 direction, float brightness) {
    auto light = std::make_unique<Light>();
    const Vec3 d = normalised(direction);
    if (d != Vec3{})
        light->direction = d;
    setLightBrightness(*light, brightness);
    looseLights().push_back(std::move(light));
    return looseLights().back().get();
}

void destroyLight(Light* light) {
    takeLight(looseLights(), light);
}

void setLightColour(Light& light, float red, float green, float blue) {
    light.red = strength(red);
    light.green = strength(green);
    light.blue = strength(blue);
}

void setLightBrightness(Light& light, float brightness) {
    setLightColour(light, brightness, brightness, brightness);
}

Scene::~Scene() {
    for (Clump* c : clumps_)
        c->scene_ = nullptr;
}

bool Scene::addClump(Clump* clump) {
    if (!clump || clump->parent())
        return false;
    if (clump->scene_ == this)
        return true;
    if (clump->scene_)
        clump->scene_->removeClump(clump);
    clumps_.push_back(clump);
    clump->scene_ = this;
    return true;
}

void Scene::removeClump(Clump* clump) {
    if (!clump || clump->scene_ != this)
        return;
    std::erase(clumps_, clump);
    clump->scene_ = nullptr;
}

void Scene::addLight(Light* light) {
    auto owned = takeLight(looseLights(), light);
    for (Scene* s : scenes())
        if (!owned)
            owned = takeLight(s->lights_, light);
    if (owned)
        lights_.push_back(std::move(owned));
}

Scene* createScene() {
    scenes().push_back(new Scene);
    return scenes().back();
}

void destroyScene(Scene* scene) {
    std::erase(scenes(), scene);
    delete scene;
}

} // namespace q71::r3d
