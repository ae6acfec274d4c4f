#include "frontend/books/book_model_view.h"

#include "frontend/model_framing.h"
#include "render3d/camera.h"
#include "render3d/scene.h"
#include "sim/world/object_record.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/rw_model_utils.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr double kFieldOfView = 30.0;   // degrees across
constexpr double kElevation = -20.0;    // degrees: the model seen a little from above
constexpr double kUnframed = 10.0;      // scene units off a model without a box
constexpr ViewAngles kUnframedView{0.25, 0.25}; // radians, without a camera
constexpr float kNearClip = 0.01f;      // scene units: the smallest models come close
constexpr double kMetresPerUnit = 10.0; // one scene unit
constexpr int kDayLight = 1;            // the view's own day phase: the books are read by day

} // namespace

BookModelView::BookModelView(WindowHandle parent, const Rect& area)
    : RWWidget("bookview", parent, area.left, area.top, area.width(), area.height()) {
    withBackdrop_ = false;
    setDayPhaseOverride(kDayLight);
    createScene();
    setFieldOfView(kFieldOfView);
    if (camera_)
        r3d::setNearClip(*camera_, kNearClip);
}

BookModelView::~BookModelView() {
    dropModel();
    destroyScene();
}

void BookModelView::dropModel() {
    if (handle_ >= 0)
        removeObject(handle_);
    if (model_)
        rwReleaseModel(model_);
    model_ = nullptr;
    handle_ = -1;
}

bool BookModelView::showRecord(const ObjectRecord* record) {
    dropModel();
    if (!record)
        return false;
    model_ = rwLoadModel(std::string(record->keyName.view()), true);
    if (!model_)
        return false;
    handle_ =
        addObject(model_, std::string(record->modelName.view()), {&x_, &y_, &z_, &heading_, &pitch_, &roll_},
                  static_cast<int>(record->kind), 0.0f, false, false);
    setObjectVisibleFlag(handle_, false);
    // The model turns about its upright axis: the camera looks at the middle of its height on
    // that axis, far enough off that the whole model stays in the picture as it turns.
    r3d::Vec3 minimum, maximum;
    rwModelBounds(*model_, minimum, maximum);
    const double centre = (minimum.y + maximum.y) / 2.0;
    const double rad = kElevation * std::numbers::pi / 180.0;
    const ViewAngles view = camera_ ? viewAngles(camera_->viewWindowX, camera_->viewWindowY) : kUnframedView;
    const double distance = modelFramingDistance(minimum, maximum, centre, -rad, view, kUnframed) * kMetresPerUnit;
    setCameraPosition(0.0, -distance * std::cos(rad), centre * kMetresPerUnit - distance * std::sin(rad));
    setCameraAngles(kElevation, 0.0, 0.0);
    return true;
}

void BookModelView::setHeading(double degrees) {
    heading_ = std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0);
}

void BookModelView::turn(double degrees) {
    setHeading(heading_ + degrees);
    render();
}

void BookModelView::applyTimeOfDay() {
    if (light_)
        r3d::setLightColour(*light_, 1.0f, 1.0f, 1.0f);
}

void BookModelView::setBackColour() {
    if (camera_)
        r3d::setBackgroundColour(*camera_, 0.28f, 0.36f, 0.44f);
}

} // namespace q71
