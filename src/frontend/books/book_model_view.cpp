#include "frontend/books/book_model_view.h"

#include "render3d/camera.h"
#include "render3d/scene.h"
#include "sim/simulation/geometry.h"
#include "sim/world/object_record.h"
#include "tactical/rwutils/rw_cache.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

constexpr double kFieldOfView = 30.0; // degrees across
constexpr double kElevation = -20.0;  // degrees: the model seen a little from above
constexpr double kFillFactor = 0.62;  // half the picture's width over the model's greatest extent
constexpr double kNearest = 8.0;        // metres: the camera's near plane lies 5 m out
constexpr double kMetresPerUnit = 10.0; // one scene unit
constexpr int kDayLight = 1;            // the view's own day phase: the books are read by day

} // namespace

BookModelView::BookModelView(WindowHandle parent, const Rect& area)
    : RWWidget("bookview", parent, area.left, area.top, area.width(), area.height()) {
    withBackdrop_ = false;
    setDayPhaseOverride(kDayLight);
    createScene();
    setFieldOfView(kFieldOfView);
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
    // Far enough off that the whole model stands in the picture whichever way it turns: its
    // greatest extent from the record, else twice the model's radius.
    const double extent = std::max({record->length, record->beam, record->height}) * kFeetToMetres;
    const double size = extent > 0.0 ? extent : 2.0 * getObjectSize(handle_) * kMetresPerUnit;
    // The view window setFieldOfView gives the library spans twice the tangent of the half angle.
    const double half = 2.0 * std::tan(kFieldOfView / 2.0 * std::numbers::pi / 180.0);
    const double distance = std::max(size * kFillFactor / half, kNearest);
    const double rad = kElevation * std::numbers::pi / 180.0;
    setCameraPosition(0.0, -distance * std::cos(rad), -distance * std::sin(rad));
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
