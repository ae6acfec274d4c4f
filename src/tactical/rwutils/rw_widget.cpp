#include "tactical/rwutils/rw_widget.h"

#include "framework/app/main_cursor.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/default_proc.h"
#include "platform/window/timers.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/sea_surface.h"
#include "tactical/rwutils/sea_texture.h"
#include "tactical/rwutils/surface_patch.h"
#include "tactical/rwutils/view_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace q71 {
namespace {

constexpr const char* kClassName = "RWWidget";
constexpr const char* kThisProperty = "THIS";
constexpr float kFogDistance = 300.0f;
constexpr float kLightBrightness = 0.4f;
constexpr int kLandGrid = 16;
constexpr int kSeabedGrid = 30;

// The one fog of every view, with the number of views using it.
struct SharedFog {
    r3d::Fog* fog = nullptr;
    int users = 0;
};
SharedFog& sharedFog() {
    static SharedFog f;
    return f;
}

// Registered once for each run of the window system.
void registerClass() {
    WindowClass c;
    if (classGetInfo(kClassName, c))
        return;
    c.name = kClassName;
    c.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    c.procedure = &RWWidget::staticWindowProc;
    c.cursor = appMainCursor();
    c.background = classBackgroundBrush(StockObject::BlackBrush);
    classRegister(c);
}

bool forwardedKey(WParam key) {
    return (key >= 35 && key <= 40) || key == 45 || key == 46 || (key >= 112 && key <= 123);
}

} // namespace

RWWidget::RWWidget(std::string_view caption, WindowHandle parent, int x, int y, int width, int height)
    : parent_(parent), x_(x), y_(y), width_(width), height_(height) {
    registerClass();
    window_ = windowCreate(0, kClassName, caption, WS_CHILD, x, y, width, height, parent);
    if (windowIsValid(window_))
        windowSetProperty(window_, kThisProperty, this);
    scene_ = r3d::createScene();
    if (!scene_)
        return;
    light_ = r3d::createDirectionalLight({0.0f, -1.0f, -1.0f}, kLightBrightness);
    if (!light_) {
        r3d::destroyScene(std::exchange(scene_, nullptr));
        return;
    }
    scene_->addLight(light_);
}

RWWidget::~RWWidget() {
    if (!destroyedBySystem_ && windowIsValid(window_))
        windowRemoveProperty(window_, kThisProperty);
    while (!objects_.empty())
        removeObject(objects_.front().handle);
    if (scene_ && camera_)
        destroyScene();
    if (scene_)
        r3d::destroyScene(scene_);
    if (camera_)
        r3d::destroyCamera(camera_);
    if (!backdropName_.empty())
        rwReleaseTextureAlt(backdropName_);
    sea_.reset();
    land_.reset();
    lowGround_.reset();
    seabed_.reset();
    if (fogOn_) {
        SharedFog& f = sharedFog();
        if (--f.users == 0) {
            r3d::destroyFog(f.fog);
            f.fog = nullptr;
        }
    }
    if (!destroyedBySystem_ && windowIsValid(window_))
        windowDestroy(window_);
}

LResult RWWidget::staticWindowProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    auto* widget = static_cast<RWWidget*>(windowGetProperty(window, kThisProperty));
    if (!widget)
        return windowDefaultProc(window, message, wParam, lParam);
    return widget->windowProc(message, wParam, lParam);
}

LResult RWWidget::windowProc(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_PAINT:
        if (camera_)
            r3d::invalidateCamera(*camera_);
        paintBegin(window_);
        return 0;
    case WM_DESTROY:
        destroyedBySystem_ = true;
        windowRemoveProperty(window_, kThisProperty);
        delete this;
        return 0;
    case WM_SETCURSOR:
        focusSet(window_);
        onSetCursor();
        return 0;
    case WM_KEYDOWN:
        if (forwardedKey(wParam))
            return messageSend(windowGetParent(window_), message, wParam, lParam);
        break;
    case WM_CHAR:
    case WM_DEADCHAR:
    case WM_SYSCHAR:
    case WM_SYSDEADCHAR:
        return messageSend(windowGetParent(window_), message, wParam, lParam);
    default:
        break;
    }
    return handleMessage(message, wParam, lParam);
}

LResult RWWidget::handleMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    return windowDefaultProc(window_, message, wParam, lParam);
}

void RWWidget::drawOnImage(DeviceContext&) {}
void RWWidget::drawOnWindow(DeviceContext&) {}
void RWWidget::onSetCursor() {}

void RWWidget::setBackColour() {
    if (camera_)
        r3d::setBackgroundColour(*camera_, 0.0f, 0.0f, 0.0f);
}

void RWWidget::show() {
    shown_ = true;
    windowShow(window_, SW_SHOWDEFAULT);
    windowInvalidate(window_, nullptr, false);
    framesCounted_ = 0;
    rateTick_ = timerTickCount();
}

void RWWidget::hide() {
    shown_ = false;
    windowShow(window_, SW_HIDE);
}

void RWWidget::enableFog() {
    SharedFog& f = sharedFog();
    if (!f.fog)
        f.fog = r3d::createFog(0.15f, 0.2f, 0.3f);
    if (!fogOn_)
        ++f.users;
    r3d::makeFogCurrent(f.fog);
    r3d::setFogDistance(*f.fog, kFogDistance);
    r3d::switchFog(true);
    fogOn_ = true;
}

void RWWidget::setFieldOfView(double degrees) {
    fieldX_ = degrees;
    fieldY_ = degrees * height_ / std::max(1, width_);
    if (!camera_)
        return;
    const double w = 2.0 * std::tan(degrees * std::numbers::pi / 360.0);
    r3d::setViewWindow(*camera_, static_cast<float>(w), static_cast<float>(w * height_ / std::max(1, width_)));
}

void RWWidget::setFarClip(float distance) {
    farClip_ = distance;
    if (camera_)
        r3d::setFarClip(*camera_, distance);
}

float RWWidget::viewCone() const {
    // The cone covers the picture: objects are dropped only where the camera cannot see them.
    if (!camera_)
        return kViewConeHalfAngle;
    return std::max(kViewConeHalfAngle, std::atan(camera_->viewWindowX));
}

void RWWidget::addLayer(int kind, int argument) {
    r3d::Clump* clump = nullptr;
    switch (kind) {
    case kLayerSea:
        sea_ = std::make_unique<SeaSurface>();
        clump = sea_->clump();
        break;
    case kLayerLand:
        land_ = std::make_unique<LandSurface>(argument != 0, kLandGrid, true);
        clump = land_->clump();
        break;
    case kLayerLowGround:
        lowGround_ = std::make_unique<LandSurface>(argument != 0, kLandGrid, false);
        clump = lowGround_->clump();
        break;
    case kLayerSeabed:
        seabed_ = std::make_unique<SeabedSurface>(argument != 0, kSeabedGrid);
        clump = seabed_->clump();
        break;
    default:
        return;
    }
    if (scene_)
        scene_->addClump(clump);
}

void RWWidget::setCameraPosition(double x, double y, double z) {
    freeCamera_ = {static_cast<float>(x * 0.1), static_cast<float>(z * 0.1), static_cast<float>(-y * 0.1)};
}

void RWWidget::setCameraAngles(double a, double b, double c) {
    if (attached_) {
        freeCamera_ = {static_cast<float>(a), static_cast<float>(b), static_cast<float>(-c)};
        return;
    }
    const double rad = std::numbers::pi / 180.0;
    look_ = {static_cast<float>(std::sin(b * rad)), static_cast<float>(std::sin(a * rad)),
             static_cast<float>(-std::cos(b * rad))};
}

void RWWidget::setSeaState(int value) {
    halfSeaState_ = static_cast<float>(value) * 0.5f;
    if (sea_)
        sea_->setSeaState(value);
}

float RWWidget::getSeaLevel() const {
    return sea_ ? sea_->centreHeight() : 0.0f;
}

void RWWidget::createScene() {
    camera_ = r3d::createCamera(std::max(1, width_), std::max(1, height_));
    if (!camera_)
        return;
    r3d::setBackgroundColour(*camera_, 0.2f, 0.2f, 0.4f);
    setFieldOfView(16.0);
    r3d::setFarClip(*camera_, farClip_);
    r3d::setNearClip(*camera_, 0.5f);
    r3d::setViewport(*camera_, 0, 0, width_, height_);
    r3d::setBackdropViewport(*camera_, 0, 0, width_, height_);
    rwUpdateSeaTexture();
    if (!backdropName_.empty())
        useBackdrop(std::string(backdropName_)); // the reference held is taken afresh
    if (sea_)
        sea_->applyTexture();
    for (Surface* s : {static_cast<Surface*>(land_.get()), static_cast<Surface*>(lowGround_.get()),
                       static_cast<Surface*>(seabed_.get())})
        if (s)
            s->applyTextures();
    previousPhase_ = -1;
    if (fogOn_ && sharedFog().fog) {
        r3d::makeFogCurrent(sharedFog().fog);
        r3d::switchFog(true);
    } else {
        r3d::switchFog(false);
    }
}

void RWWidget::destroyScene() {
    if (!backdropName_.empty()) {
        if (camera_)
            r3d::setBackdrop(*camera_, nullptr);
        rwReleaseTextureAlt(backdropName_);
        backdropName_.clear();
    }
    for (Surface* s : {static_cast<Surface*>(land_.get()), static_cast<Surface*>(lowGround_.get()),
                       static_cast<Surface*>(seabed_.get())})
        if (s)
            s->releaseTextures();
    if (camera_)
        r3d::destroyCamera(std::exchange(camera_, nullptr));
}

} // namespace q71
