#include "frontend/entview/ent_view_widget.h"

#include "frontend/model_framing.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "render3d/camera.h"
#include "tactical/rwutils/sea_surface.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr double kTiltLimit = 85.0;
constexpr double kMinZoom = 0.25, kMaxZoom = 8.0;
constexpr double kDegreesPerPixel = 0.5;
constexpr double kZoomPerPixel = 0.01; // the factor's logarithm per pixel dragged
// The camera's own tilt with the drags at rest: the entity seen a little from above.
constexpr double kLookDown = 12.0;
// The nearest the camera comes (scene units), and its distance from a model without a box.
constexpr double kNearest = 1.0;
constexpr double kUnframed = 12.0;
// How far from the sea's mean height the camera keeps, beyond the waves (scene units).
constexpr float kSurfaceClearance = 0.3f;

} // namespace

// A view's object handles count from 0 and attaching the camera to 0 detaches it: an empty
// object takes handle 0, so that every entity's object can be followed.
EntViewWidget::EntViewWidget(WindowHandle parent, const Rect& area, EntViewCamera& camera)
    : RWWidget("entview", parent, area.left, area.top, area.width(), area.height()), orbit_(camera),
      blank_(r3d::createClump()) {
    addObject(blank_, "", {&origin_, &origin_, &origin_, &origin_, &origin_, &origin_}, 0, 0.0f, false,
              false);
}

EntViewWidget::~EntViewWidget() {
    removeObject(0);
    r3d::destroyClump(blank_);
}

void EntViewWidget::aim(const r3d::Vec3& minimum, const r3d::Vec3& maximum) {
    if (!camera_)
        return;
    const double tilt = std::clamp(orbit_.tilt - kLookDown, -kTiltLimit, kTiltLimit);
    const double distance =
        modelFramingDistance(minimum, maximum, 0.0, -tilt * std::numbers::pi / 180.0,
                             viewAngles(camera_->viewWindowX, camera_->viewWindowY), kUnframed);
    setCameraAngles(tilt, orbit_.pan, std::max(distance, kNearest) * orbit_.zoom);
}

void EntViewWidget::placeCamera() {
    RWWidget::placeCamera();
    if (!attached_ || !attached_->x)
        return;
    // The camera keeps to the side of the surface the entity is on, clear of the waves: from
    // above the sea hides what is under it, and among the waves neither side shows.
    const r3d::Vec3 target{static_cast<float>(*attached_->x * 0.1) - originX_,
                           static_cast<float>(*attached_->z * 0.1),
                           static_cast<float>(-*attached_->y * 0.1) - originZ_};
    const float band = (seaElement() ? seaElement()->amplitude() : 0.0f) + kSurfaceClearance;
    r3d::Vec3 p = r3d::cameraPosition(*camera_);
    p.y = target.y < 0.0f ? std::min(p.y, -band) : std::max(p.y, band);
    r3d::setCameraPosition(*camera_, p);
    liftAboveTerrain(); // the ground has the last word
    p = r3d::cameraPosition(*camera_);
    // Lifted off the ground or kept to its side, the camera still looks at what it follows.
    r3d::setCameraLookAt(*camera_, r3d::normalised(target - p));
    r3d::setCameraLookUp(*camera_, {0.0f, 1.0f, 0.0f});
}

LResult EntViewWidget::handleMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    const int x = pointXFromLParam(lParam), y = pointYFromLParam(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        lastX_ = x;
        lastY_ = y;
        captureSet(window());
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        captureRelease();
        return 0;
    case WM_MOUSEMOVE: {
        const int dx = x - lastX_, dy = y - lastY_;
        lastX_ = x;
        lastY_ = y;
        if (wParam & MK_LBUTTON) {
            orbit_.pan = std::fmod(orbit_.pan + dx * kDegreesPerPixel + 360.0, 360.0);
            orbit_.tilt = std::clamp(orbit_.tilt - dy * kDegreesPerPixel, -kTiltLimit, kTiltLimit);
        } else if (wParam & MK_RBUTTON) {
            orbit_.zoom = std::clamp(orbit_.zoom * std::exp(dy * kZoomPerPixel), kMinZoom, kMaxZoom);
        }
        return 0;
    }
    default:
        return RWWidget::handleMessage(message, wParam, lParam);
    }
}

} // namespace q71
