#include "stations/cntrlrm/control_room_view.h"

#include "framework/app/main_cursor.h"
#include "platform/resources/program_resources.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "render3d/frame_renderer.h"
#include "render3d/picking.h"
#include "stations/cntrlrm/control_room_host.h"
#include "stations/cntrlrm/room_camera.h"
#include "stations/cntrlrm/room_stations.h"
#include "tactical/rwutils/rw_cache.h"

#include <utility>

namespace q71 {
namespace {

constexpr int kHandCursor = 108;
// The room is lit from above by two lamps slanting opposite ways, so that faces turned any way
// show, whatever the time of day outside.
constexpr r3d::Vec3 kLampA{0.4f, -1.0f, 0.3f};
constexpr r3d::Vec3 kLampB{-0.4f, -1.0f, -0.3f};
constexpr float kLampBrightness = 0.45f;

} // namespace

ControlRoomView::ControlRoomView(WindowHandle parent, ControlRoomHost& host)
    : RWWidget(kRoomViewName, parent, kRoomViewRect.left, kRoomViewRect.top, kRoomViewRect.width(),
               kRoomViewRect.height()),
      host_(host), hand_(resourceLoadCursor(kHandCursor)) {
    withBackdrop_ = false;
    setFarClip(kFarClip);
    if (!scene_ || !light_)
        return;
    light_->direction = r3d::normalised(kLampA);
    r3d::setLightBrightness(*light_, kLampBrightness);
    if (r3d::Light* second = r3d::createDirectionalLight(kLampB, kLampBrightness))
        scene_->addLight(second);
}

ControlRoomView::~ControlRoomView() {
    ControlRoomView::destroyScene();
}

void ControlRoomView::setCamera(float x, float y, float z, float heading, float pitch, int index) {
    x_ = x;
    y_ = -y;
    z_ = z;
    heading_ = -heading;
    pitch_ = -pitch;
    index_ = index;
    frameWanted_ = true;
}

void ControlRoomView::setCamera(const RoomCamera& camera, int index) {
    setCamera(camera.x, camera.y, camera.z, camera.heading, camera.pitch, index);
}

RoomCamera ControlRoomView::roomCamera() const {
    return {x_, -y_, z_, -heading_, -pitch_};
}

void ControlRoomView::placeCamera() {
    // The room's frame is the views' world frame unscaled: (x, y, z) stands at scene (x, z, -y),
    // and the stored y is already negated. The heading turns about the vertical, the pitch about
    // the camera's side axis (pointing left, so a positive stored pitch lowers the view).
    r3d::transformCamera(*camera_, r3d::Matrix::identity(), r3d::Combine::Replace);
    r3d::setCameraPosition(*camera_, {x_, z_, y_});
    r3d::setCameraLookAt(*camera_, {0.0f, 0.0f, -1.0f});
    r3d::setCameraLookUp(*camera_, {0.0f, 1.0f, 0.0f});
    r3d::transformCamera(*camera_, r3d::Matrix::rotation(r3d::Axis::X, pitch_), r3d::Combine::Replace);
    r3d::transformCamera(*camera_, r3d::Matrix::rotation(r3d::Axis::Y, heading_), r3d::Combine::Postcat);
    originX_ = 0.0f;
    originZ_ = 0.0f;
}

void ControlRoomView::createScene() {
    RWWidget::createScene();
    if (!camera_ || !scene_)
        return;
    setFieldOfView(kRoomFieldOfView);
    camera_->setting = kRoomCameraSetting;
    r3d::setNearClip(*camera_, kNearClip);
    room_ = rwLoadModel(kRoomModel, false);
    mockRoom_ = rwLoadModel(kRoomMockModel, false);
    if (room_)
        roomInScene_ = scene_->addClump(room_);
    frameWanted_ = true;
}

void ControlRoomView::releaseModels() {
    if (roomInScene_ && scene_)
        scene_->removeClump(room_);
    roomInScene_ = false;
    if (room_)
        rwReleaseModel(std::exchange(room_, nullptr));
    if (mockRoom_)
        rwReleaseModel(std::exchange(mockRoom_, nullptr));
}

void ControlRoomView::destroyScene() {
    releaseModels();
    RWWidget::destroyScene();
}

void ControlRoomView::blitFrame(DeviceContext& dc) {
    if (!shown_ || !camera_)
        return;
    r3d::invalidateCamera(*camera_);
    if (r3d::beginCameraUpdate(*camera_)) {
        r3d::clearCamera(*camera_);
        r3d::renderScene(*scene_);
        r3d::endCameraUpdate(*camera_);
    }
    r3d::showCamera(*camera_, dc, 0, 0);
}

bool ControlRoomView::takeFrameRequest() {
    return std::exchange(frameWanted_, false);
}

int ControlRoomView::pickAt(int x, int y) {
    if (!camera_ || !scene_)
        return 0;
    placeCamera();
    return r3d::pickScene(*camera_, *scene_, x, y).objectId;
}

void ControlRoomView::dragTo(Point at, WParam keys) {
    if (leftDrag_ && (keys & MK_LBUTTON)) {
        setCamera(roomCameraWalked(roomCamera(), at.x - leftFrom_.x, at.y - leftFrom_.y), index_);
        leftFrom_ = at;
    }
    if (rightDrag_ && (keys & MK_RBUTTON)) {
        setCamera(roomCameraTurned(roomCamera(), at.x - rightFrom_.x, at.y - rightFrom_.y), index_);
        rightFrom_ = at;
    }
}

int ControlRoomView::offeredStation(Point at) {
    const int station = roomObjectStation(pickAt(at.x, at.y));
    return station >= 0 && host_.stationOpen(station) ? station : -1;
}

LResult ControlRoomView::handleMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    const Point at{pointXFromLParam(lParam), pointYFromLParam(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
        if (const int station = offeredStation(at); station >= 0) {
            // The host closes this screen: nothing of the view is touched afterwards.
            host_.selectStation(station);
            return 0;
        }
        leftFrom_ = at;
        leftDrag_ = true;
        captureSet(window_);
        return 0;
    case WM_RBUTTONDOWN:
        rightFrom_ = at;
        rightDrag_ = true;
        captureSet(window_);
        return 0;
    case WM_MOUSEMOVE: {
        dragTo(at, wParam);
        const bool over = at.x >= 0 && at.y >= 0 && at.x < width_ && at.y < height_;
        if (over)
            cursorSet(offeredStation(at) >= 0 ? hand_ : appMainCursor());
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        leftDrag_ = leftDrag_ && (wParam & MK_LBUTTON) != 0;
        rightDrag_ = rightDrag_ && (wParam & MK_RBUTTON) != 0;
        if (!leftDrag_ && !rightDrag_ && captureGet() == window_)
            captureRelease();
        return 0;
    default:
        return RWWidget::handleMessage(message, wParam, lParam);
    }
}

} // namespace q71
