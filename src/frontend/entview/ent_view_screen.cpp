#include "frontend/entview/ent_view_screen.h"

#include "framework/app/station_table.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/entview/ent_view_layout.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/screen_art.h"
#include "platform/window/window_paint.h"
#include "sim/entities/entity.h"
#include "sim/simulation/sim_clock.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "sim/world/object_record.h"
#include "tactical/rwutils/rw_widget.h"
#include "tactical/rwutils/scene_entities.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71 {

namespace {

enum ControlId : int {
    kPreviousId = 1,
    kNextId = 2,
};

constexpr double kFieldOfView = 40.0;
constexpr float kFarClip = 1800.0f;
constexpr int kNoEntityText = 2950;

EntViewCamera g_camera;
// The viewer on show: explosions are heard at its camera.
EntViewScreen* g_shown = nullptr;

// The entities the view shows, in the scene list's order.
std::vector<SceneViewObject> shownObjects() {
    std::vector<SceneViewObject> objects = effectsGetViewObjects();
    std::erase_if(objects, [](const SceneViewObject& o) { return o.handle < 0; });
    return objects;
}

} // namespace

EntViewCamera& entViewCamera() {
    return g_camera;
}

void entViewResetCamera() {
    g_camera = EntViewCamera{0.0, 0.0, 1.0};
}

EntViewScreen::EntViewScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y)
    : SubScreen(key, parent, width, height, x, y) {}

EntViewScreen::~EntViewScreen() {
    close();
}

void EntViewScreen::open() {
    using namespace ent_view_layout;
    if (view_)
        return;
    frontEndSelectGroup(kEntViewGroup);
    frontEndLoadBackground(background_);
    previous_ = frontEndPushButton(window_, kPreviousId, kPreviousX, kButtonY, kButtonWidth, kButtonHeight);
    next_ = frontEndPushButton(window_, kNextId, kNextX, kButtonY, kButtonWidth, kButtonHeight);
    view_ = std::make_unique<EntViewWidget>(window_, kView, g_camera);
    view_->addLayer(kLayerSea, 0);
    view_->addLayer(kLayerLand, 1);
    view_->addLayer(kLayerSeabed, 1);
    view_->setFarClip(kFarClip);
    view_->setSeaState(static_cast<int>(simClock().seaState));
    view_->enableFog();
    view_->createScene();
    view_->setFieldOfView(kFieldOfView);
    view_->show();
    effectsSetView(view_.get(), true);
    effectsAttachView();
    followed_ = 0;
    followFirst();
    g_shown = this;
    view_->render();
}

void EntViewScreen::close() {
    if (g_shown == this)
        g_shown = nullptr;
    if (view_) {
        effectsDetachView();
        view_->destroyScene();
        view_.reset();
    }
    previous_.reset();
    next_.reset();
    background_.free();
    followed_ = 0;
}

bool EntViewScreen::follow(std::int32_t id) {
    if (!view_)
        return false;
    for (const SceneViewObject& o : shownObjects())
        if (o.id == id) {
            view_->attachCamera(o.handle);
            followed_ = id;
            aimCamera();
            windowInvalidate(window_, nullptr, false);
            return true;
        }
    return false;
}

void EntViewScreen::followFirst() {
    const Entity* own = worldOwnShip();
    if (own && follow(own->id))
        return;
    const std::vector<SceneViewObject> objects = shownObjects();
    if (objects.empty() || !follow(objects.front().id)) {
        if (view_)
            view_->attachCamera(0);
        followed_ = 0;
        windowInvalidate(window_, nullptr, false);
    }
}

void EntViewScreen::step(int direction) {
    const std::vector<SceneViewObject> objects = shownObjects();
    if (objects.empty())
        return;
    const auto at = std::find_if(objects.begin(), objects.end(),
                                 [&](const SceneViewObject& o) { return o.id == followed_; });
    const int count = static_cast<int>(objects.size());
    const int index = at == objects.end() ? 0 : static_cast<int>(at - objects.begin());
    follow(objects[static_cast<std::size_t>(((index + direction) % count + count) % count)].id);
}

void EntViewScreen::aimCamera() {
    for (const auto& record : sceneEntities())
        if (record->id == followed_) {
            view_->aim(record->minimum, record->maximum);
            return;
        }
}

void EntViewScreen::update() {
    SubScreen::update();
    if (!view_ || !isVisible())
        return;
    const std::vector<SceneViewObject> objects = shownObjects();
    const bool present = std::any_of(objects.begin(), objects.end(),
                                     [&](const SceneViewObject& o) { return o.id == followed_; });
    if (!present)
        followFirst();
    if (followed_ != 0)
        aimCamera();
    view_->render();
}

void EntViewScreen::paint(DeviceContext& dc) {
    using namespace ent_view_layout;
    SubScreen::paint(dc);
    std::string name = textCopy(kNoEntityText);
    for (const auto& record : sceneEntities())
        if (record->id == followed_ && record->entity) {
            const ObjectRecord* kind = objdbFindById(record->entity->recordId);
            name = kind ? std::string(kind->displayName.view()) : record->name;
        }
    glassLine(dc, kNameGlass, name, kTextFont, glass_colours::kAmber, true);
}

int EntViewScreen::onCommand(WParam wParam, LParam lParam) {
    switch (static_cast<int>(wParam)) {
    case kPreviousId:
        step(-1);
        return 1;
    case kNextId:
        step(1);
        return 1;
    default:
        return SubScreen::onCommand(wParam, lParam);
    }
}

bool EntViewScreen::cameraPosition(double& x, double& y, double& z) {
    if (!g_shown || !g_shown->view_)
        return false;
    const r3d::Vec3 p = g_shown->view_->cameraScenePosition();
    x = p.x * 10.0;
    y = -p.z * 10.0;
    z = p.y * 10.0;
    return true;
}

void entViewRegister() {
    stationRegisterMaker(kStationEntityViewer, makeStation<EntViewScreen>);
}

} // namespace q71
