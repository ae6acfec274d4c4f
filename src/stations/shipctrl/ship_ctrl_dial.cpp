#include "stations/shipctrl/ship_ctrl_dial.h"

#include "render3d/frame_renderer.h"
#include "tactical/rwutils/rw_cache.h"

#include <cmath>
#include <numbers>

namespace q71 {

namespace {
constexpr float kWideAngle = 82.5f;
} // namespace

ShipCtrlRWDial::ShipCtrlRWDial(WindowHandle parent, int id, int x, int y, int width, int height,
                               std::string background, std::string pointerModel)
    : BaseWidget(parent, x, y, width, height, true), background_(std::move(background)),
      pointerModel_(std::move(pointerModel)) {
    setControlId(id);
}

ShipCtrlRWDial::~ShipCtrlRWDial() { freeResources(); }

void ShipCtrlRWDial::loadResources() {
    if (camera_)
        return;
    camera_ = r3d::createCamera(getWidth(), getHeight());
    scene_ = r3d::createScene();
    r3d::Light* light = r3d::createDirectionalLight({0.0f, -1.0f, -1.0f}, 0.4f);
    if (!camera_ || !scene_ || !light) {
        r3d::destroyLight(light);
        freeResources();
        return;
    }
    const float wide = std::tan(kWideAngle * std::numbers::pi_v<float> / 180.0f) * 0.1f;
    r3d::setProjection(*camera_, r3d::Projection::Parallel);
    r3d::setViewWindow(*camera_, wide, static_cast<float>(getHeight()) * 1.2f / static_cast<float>(getWidth()) * wide);
    r3d::setNearClip(*camera_, 0.05f);
    r3d::setFarClip(*camera_, 200.0f);
    scene_->addLight(light);
    light_ = light;
    r3d::setBackdrop(*camera_, rwLoadTextureAlt(background_));
    faceLoaded_ = true;
    r3d::setBackdropOffset(*camera_, 0, 0);
    actual_.model = addPointer(pointerModel_);
    changed_ = true;
}

r3d::Clump* ShipCtrlRWDial::addPointer(const std::string& model) {
    r3d::Clump* clump = scene_ ? rwLoadModel(model, false) : nullptr;
    if (clump)
        scene_->addClump(clump);
    return clump;
}

void ShipCtrlRWDial::releasePointer(DialPointer& pointer) {
    if (!pointer.model)
        return;
    if (scene_)
        scene_->removeClump(pointer.model);
    rwReleaseModel(pointer.model);
    pointer.model = nullptr;
}

void ShipCtrlRWDial::freeResources() {
    releasePointer(actual_);
    if (faceLoaded_)
        rwReleaseTextureAlt(background_);
    faceLoaded_ = false;
    if (scene_)
        r3d::destroyScene(scene_);
    scene_ = nullptr;
    light_ = nullptr;
    if (camera_)
        r3d::destroyCamera(camera_);
    camera_ = nullptr;
}

void ShipCtrlRWDial::setLightBrightness(float brightness) {
    if (light_)
        r3d::setLightBrightness(*light_, brightness);
}

void ShipCtrlRWDial::show() {
    BaseWidget::show();
    changed_ = true;
    draw();
}

void ShipCtrlRWDial::place(const DialPointer& pointer) {
    if (!pointer.model)
        return;
    r3d::transformClump(*pointer.model, r3d::Matrix::scaling(pointer.scale), r3d::Combine::Replace);
    r3d::transformClump(*pointer.model, r3d::Matrix::rotation(r3d::Axis::Z, static_cast<float>(pointer.angle)),
                        r3d::Combine::Postcat);
    r3d::transformClump(*pointer.model, r3d::Matrix::translation(pointer.position), r3d::Combine::Postcat);
}

void ShipCtrlRWDial::placePointers() { place(actual_); }

void ShipCtrlRWDial::draw() {
    if (!camera_ || !isVisible() || !changed_)
        return;
    placePointers();
    if (!r3d::beginCameraUpdate(*camera_))
        return;
    r3d::clearCamera(*camera_);
    r3d::renderScene(*scene_);
    r3d::endCameraUpdate(*camera_);
    changed_ = false;
    invalidate(nullptr, false);
}

void ShipCtrlRWDial::paint(PaintRecord& paint) {
    if (camera_ && paint.dc)
        r3d::showCamera(*camera_, *paint.dc, 0, 0);
}

} // namespace q71
