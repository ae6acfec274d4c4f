// The periscope optic: camera at the periscope head, mouse training, wash, reticle and readouts.
#include "tactical/periscope/scope.h"

#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "platform/gdi/colour.h"
#include "platform/gdi/device_context.h"
#include "platform/window/message_ids.h"
#include "platform/window/window_layout.h"
#include "render3d/material.h"
#include "render3d/scene.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/sea_surface.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr const char* kWashNames[5] = {"wash1.bmp", "wash2.bmp", "wash3.bmp", "wash4.bmp", "wash5.bmp"};
constexpr const char* kScopeGroup = "scope";
constexpr float kNearClip = 0.05f;
// The periscope stands this far forward of the hull's origin (scene units).
constexpr float kPeriscopeForward = 2.35f;
constexpr float kDegreesPerRadian = 57.29578f;
// The night-vision picture by day: the camera far above the scene, looking at nothing.
constexpr float kNightByDayStand = 1000.0f;

} // namespace

Scope::Scope(std::string_view name, WindowHandle parent, int x, int y, int width, int height)
    : RWWidget(name, parent, x, y, width, height),
      reticlePen_(createPen(PenStyle::Solid, 0, rgb(128, 128, 128))) {
    // The picture is round: the bezel around it stays the panel's, and so do its clicks.
    windowSetShape(window(), Region::ellipse({0, 0, width, height}), false);
    addLayer(kLayerSea, 0);
    // The shores and shallows of the mission's own terrain.
    addLayer(kLayerLowGround, 1);
    for (std::size_t i = 0; i < washRefs_.size(); ++i)
        washRefs_[i].name = kWashNames[i];
    setHullDown(true);
    setFarClip(kFarClip);
}

Scope::~Scope() {
    Scope::destroyScene();
}

bool Scope::nightByDay() const {
    return nightVision_ && simClock().dayPhase == kDayPhaseDay;
}

void Scope::setBackColour() {
    if (nightByDay())
        r3d::setBackgroundColour(*camera_, 0.0f, 1.0f, 0.0f);
    else
        r3d::setBackgroundColour(*camera_, 0.0f, 0.0f, 0.0f);
}

void Scope::placeCamera() {
    if (nightByDay()) {
        r3d::transformCamera(*camera_, r3d::Matrix::identity(), r3d::Combine::Replace);
        r3d::setCameraPosition(*camera_, {0.0f, kNightByDayStand, 0.0f});
        r3d::setCameraLookAt(*camera_, {0.0f, 0.0f, 1.0f});
        r3d::setCameraLookUp(*camera_, {0.0f, 1.0f, 0.0f});
        originX_ = kNightByDayStand;
        originZ_ = kNightByDayStand;
        return;
    }
    r3d::transformCamera(*camera_, r3d::Matrix::identity(), r3d::Combine::Replace);
    r3d::setCameraPosition(*camera_, freeCamera_);
    r3d::setCameraLookAt(*camera_, {0.0f, 0.0f, 1.0f});
    r3d::setCameraLookUp(*camera_, {0.0f, 1.0f, 0.0f});
    r3d::turnCamera(*camera_, 180.0f - heading_);
    // At the head, trained, then tilted: the tilt applies first, in the trained frame.
    r3d::transformCamera(*camera_, r3d::Matrix::translation({0.0f, mastHeight_ * 0.1f, kPeriscopeForward}),
                         r3d::Combine::Replace);
    r3d::transformCamera(*camera_, r3d::Matrix::rotation(r3d::Axis::Y, -bearing_ * kDegreesPerRadian),
                         r3d::Combine::Precat);
    r3d::transformCamera(*camera_, r3d::Matrix::rotation(r3d::Axis::X, -elevation_ * kDegreesPerRadian),
                         r3d::Combine::Precat);
    const r3d::Vec3 placed = r3d::cameraPosition(*camera_);
    originX_ = placed.x;
    originZ_ = placed.z;
    // The transform stays; the base moves so that the head stands at horizontal (0, 0).
    r3d::setCameraPosition(*camera_, {freeCamera_.x - placed.x, freeCamera_.y, freeCamera_.z - placed.z});
}

void Scope::applyTimeOfDay() {
    r3d::Material* sea = seaElement() ? seaElement()->material() : nullptr;
    if (nightVision_) {
        r3d::setLightColour(*light_, 0.0f, 1.0f, 0.0f);
        if (sea)
            r3d::setMaterialNightVision(*sea);
        return;
    }
    RWWidget::applyTimeOfDay();
    if (sea)
        r3d::setMaterialDaylight(*sea);
}

void Scope::createScene() {
    RWWidget::createScene();
    setMastDisplay(false);
    if (camera_)
        r3d::setNearClip(*camera_, kNearClip);
    grpSetFolder(graphicsInstallPath);
    if (!grpOpenGroup(kScopeGroup)) {
        rwReportFatal(kTextMissingEntry, __LINE__);
        return;
    }
    // In the background only when the owner counts the reads and waits for them before
    // prepareWash; otherwise no worker may be left writing into a block the scene frees.
    const bool background = grpAsyncActive();
    for (ResourceRef& ref : washRefs_)
        if (!grpRead(ref, !background, true)) {
            rwReportFatal(kTextMissingEntry, __LINE__);
            return;
        }
}

void Scope::prepareWash() {
    washReady_ = false;
    for (std::size_t i = 0; i < washRefs_.size(); ++i) {
        ResourceRef& ref = washRefs_[i];
        if (!ref.data || !ref.complete() || !grpMakeDib(ref) || !washPictureFrom(ref.dibHeader, ref.dibBits, washPictures_[i])) {
            rwReportFatal(kTextMissingEntry, __LINE__);
            return;
        }
    }
    washReady_ = true;
}

void Scope::destroyScene() {
    washReady_ = false;
    for (ResourceRef& ref : washRefs_)
        grpRefFree(ref);
    washPictures_ = {};
    RWWidget::destroyScene();
}

void Scope::setZoom(double fieldOfView) {
    if (!camera_ || fieldOfView <= 0.0)
        return;
    zoom_ = 32.0 / fieldOfView;
    setFieldOfView(fieldOfView);
    previousPhase_ = -1; // the magnified sky is chosen at the next frame
}

void Scope::setNightVision(bool on) {
    nightVision_ = on;
    noBackdrop_ = on;
    previousPhase_ = -1;
    if (light_)
        applyTimeOfDay();
}

void Scope::setAngles(float bearing, float elevation) {
    bearing_ = bearing;
    elevation_ = elevation;
    look_ = {std::sin(bearing), std::sin(elevation), -std::cos(bearing)};
}

void Scope::setAttitude(float heading, float, float) {
    heading_ = heading;
}

LResult Scope::handleMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    const Point at{pointXFromLParam(lParam), pointYFromLParam(lParam)};
    switch (message) {
    case WM_RBUTTONDOWN:
        dragFrom_ = at;
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & MK_RBUTTON) {
            const ScopeAngles a = scopeTrainBy({bearing_, elevation_}, at.x - dragFrom_.x, at.y - dragFrom_.y, zoom_);
            setAngles(a.bearing, a.elevation);
            dragFrom_ = at;
        }
        return 0;
    case WM_LBUTTONDOWN:
        return 0;
    default:
        return RWWidget::handleMessage(message, wParam, lParam);
    }
}

void Scope::washFrame() {
    const float sea = getSeaLevel();
    const float head = cameraScenePosition().y;
    const bool awash = sea > head - 0.05f;
    const int image = wash_.beginFrame(awash);
    if (!wash_.washing)
        return;
    blendWash(r3d::lockCameraImage(*camera_), washPictures_[static_cast<std::size_t>(image)], wash_.level,
              washRowOffset_);
    wash_.endFrame(awash);
}

void Scope::drawOnImage(DeviceContext& dc) {
    if (washReady_ && camera_)
        washFrame();
    drawReticle(dc);
    drawReadouts(dc);
}

void Scope::drawReticle(DeviceContext& dc) const {
    const Pen previous = dc.selectPen(reticlePen_);
    dc.moveTo({0, 150});
    dc.lineTo({300, 150});
    dc.moveTo({150, 0});
    dc.lineTo({150, 300});
    for (int k = 0; k < 10; ++k) {
        const int p = 195 + 9 * k, q = 105 - 9 * k;
        const int end = k == 0 || k == 5 ? 190 : 180;
        for (int at : {p, q}) {
            dc.moveTo({at, 160});
            dc.lineTo({at, end});
            dc.moveTo({160, at});
            dc.lineTo({end, at});
        }
    }
    dc.selectPen(previous);
}

void Scope::drawReadouts(DeviceContext& dc) const {
    const ColorRef colour = dc.setTextColor(rgb(255, 255, 255));
    const int mode = dc.setBkMode(kTransparent);
    dc.textOut({210, 40}, scopeBearingText(heading_, bearing_));
    dc.textOut({210, 58}, scopeElevationText(elevation_));
    dc.textOut({210, 76}, scopeMagnificationText(zoom_));
    dc.setBkMode(mode);
    dc.setTextColor(colour);
}

} // namespace q71
