// The stadimeter's silhouette view.
#include "tactical/stadimeter/silhouette_view.h"

#include "render3d/camera.h"
#include "render3d/clump.h"
#include "render3d/scene.h"
#include "sim/world/object_database.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/stadimeter/stadimeter_math.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr double kNoModelDistance = -1000.0;
constexpr float kLight = 0.1f;
// The model's seaway divisor: large, so that it hardly moves.
constexpr float kSteady = 1000.0f;
constexpr double kHalfDegree = 0.008726646259972222;
constexpr double kInitialFieldOfView = 32.0;

} // namespace

SilhouetteView::SilhouetteView(std::string_view name, WindowHandle parent, int x, int y, int width, int height,
                               std::string_view shipKey)
    : RWWidget(name, parent, x, y, width, height) {
    // The model alone on white: no sky behind it.
    noBackdrop_ = true;
    setShip(shipKey);
}

SilhouetteView::~SilhouetteView() {
    SilhouetteView::destroyScene();
}

void SilhouetteView::setBackColour() {
    r3d::setBackgroundColour(*camera_, 1.0f, 1.0f, 1.0f);
}

void SilhouetteView::createScene() {
    RWWidget::createScene();
    if (light_)
        r3d::setLightColour(*light_, kLight, kLight, kLight);
    active_ = true;
    loadModel();
    setFieldOfView(kInitialFieldOfView);
}

void SilhouetteView::destroyScene() {
    active_ = false;
    unloadModel();
    RWWidget::destroyScene();
}

void SilhouetteView::setShip(std::string_view key) {
    unloadModel();
    shipKey_ = key;
    const ObjectRecord* record = objdbFindByName(shipKey_);
    mastHeight_ = record ? record->mastHeight : 0.0;
    position_[0] = 0.0;
    position_[1] = kNoModelDistance;
    position_[2] = -0.5 * mastHeight_;
    angles_[0] = angles_[1] = 0.0;
    loadModel();
}

void SilhouetteView::loadModel() {
    if (!active_ || shipKey_.empty() || !scene_)
        return;
    sceneClump_ = r3d::createClump();
    model_ = rwLoadModel(shipKey_, true);
    if (!model_) {
        r3d::destroyClump(sceneClump_);
        sceneClump_ = nullptr;
        placeModel();
        return;
    }
    model_->tag = kTagHull;
    r3d::addChild(*sceneClump_, model_);
    modelHandle_ = addObject(sceneClump_, shipKey_, {&position_[0], &position_[1], &position_[2], &yaw_,
                                                     &angles_[0], &angles_[1]},
                             0, kSteady, false, false);
    placeModel();
}

void SilhouetteView::unloadModel() {
    if (modelHandle_ < 0)
        return;
    removeObject(modelHandle_);
    // The model goes back to the cache; the clump that held it goes.
    r3d::removeChild(model_);
    rwReleaseModel(model_);
    r3d::destroyClump(sceneClump_);
    model_ = nullptr;
    sceneClump_ = nullptr;
    modelHandle_ = -1;
}

void SilhouetteView::setYaw(double degrees) {
    yaw_ = stadimeterHalfTurn(degrees);
}

void SilhouetteView::setZoom(double zoom) {
    zoom_ = zoom >= kZoomMax ? kZoomMax : std::max(zoom, kZoomMin);
    placeModel();
}

void SilhouetteView::setFieldOfView(double degrees) {
    storedFieldOfView_ = 0.625 * degrees;
    RWWidget::setFieldOfView(degrees);
    placeModel();
}

void SilhouetteView::placeModel() {
    double distance = kNoModelDistance;
    if (modelHandle_ >= 0 && storedFieldOfView_ > 0.0) {
        const double s = getObjectSize(modelHandle_);
        const double k = 3.5 / std::sin(storedFieldOfView_ * kHalfDegree);
        const double r = static_cast<double>(height_) / width_;
        distance = std::max(k * s, 0.3 * k * r * mastHeight_);
    }
    position_[1] = distance * zoom_;
}

} // namespace q71
