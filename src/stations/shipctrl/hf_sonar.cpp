#include "stations/shipctrl/hf_sonar.h"

#include "platform/window/message_ids.h"
#include "render3d/camera.h"
#include "render3d/immediate.h"
#include "render3d/library.h"
#include "render3d/material.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/entities/types/own_submarine.h"
#include "sim/scoring/upgrades.h"
#include "sim/simulation/world_lists.h"
#include "tactical/rwutils/rw_cache.h"

#include <array>

namespace q71 {
namespace {

constexpr const char* kGlass = "x126y117.bmp";
constexpr const char* kMineTexture = "hf-mine.bmp";
constexpr double kFieldOfView = 70.0;
constexpr double kTransducerBelow = 0.6; // metres below the boat's reference point
constexpr int kShipControlStation = 0;
constexpr float kFixedOne = 65536.0f;

OwnShipEntity* ownBoat() {
    auto* own = worldOwnSubmarine();
    return own && own->motion ? own : nullptr;
}

r3d::Material* echoMaterial(r3d::Texture* texture) {
    r3d::Material* m = r3d::createMaterial();
    r3d::setMaterialShading(*m, r3d::kShadingFlat);
    r3d::setMaterialColour(*m, 0.25f, 1.0f, 0.35f); // phosphor green
    r3d::setMaterialTexture(*m, texture);
    return m;
}

} // namespace

RWhfsonar::RWhfsonar(WindowHandle parent) : RWWidget("RWhfsonar", parent, kX, kY, kWidth, kHeight) {
    withBackdrop_ = false; // the glass stays: no sky
}

RWhfsonar::~RWhfsonar() {
    for (r3d::Material* m : {hullEcho_, mineEcho_})
        if (m)
            r3d::destroyMaterial(m);
    if (mineTexture_)
        rwReleaseTexture(kMineTexture);
}

void RWhfsonar::createScene() {
    if (camera_)
        return;
    RWWidget::createScene();
    if (!camera_)
        return;
    useBackdrop(kGlass);
    r3d::setBackdropOffset(*camera_, 0, 0);
    setFieldOfView(kFieldOfView);
    if (!hullEcho_) {
        hullEcho_ = echoMaterial(nullptr);
        r3d::Texture* mine = rwLoadTexture(kMineTexture);
        mineTexture_ = mine != nullptr;
        mineEcho_ = echoMaterial(mine);
    }
}

void RWhfsonar::render() {
    echoes_.clear();
    if (!shown() || !camera_)
        return;
    RWWidget::render();
    OwnShipEntity* own = ownBoat();
    const std::optional<float> reach =
        hfDesignationReach(clicked_, crewAssistEnabled(kShipControlStation) == 1, crewAssistLevel(kShipControlStation));
    clicked_ = false;
    if (own && reach)
        hfSonarDesignate(*own, echoes_, *reach);
}

LResult RWhfsonar::handleMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_LBUTTONDOWN) {
        clicked_ = true;
        click_ = {loWord(lParam), hiWord(lParam)};
        return 0;
    }
    return RWWidget::handleMessage(message, wParam, lParam);
}

// At the boat's transducer, looking along its heading and pitch; the library camera stands at
// horizontal (0, 0), the boat's horizontal position being the floating origin.
void RWhfsonar::placeCamera() {
    r3d::transformCamera(*camera_, r3d::Matrix::identity(), r3d::Combine::Replace);
    const OwnShipEntity* own = ownBoat();
    if (!own) {
        originX_ = originZ_ = 0.0f;
        r3d::setCameraPosition(*camera_, {});
        return;
    }
    const MotionModel& m = *own->motion;
    originX_ = static_cast<float>(m.x * 0.1);
    originZ_ = static_cast<float>(-m.y * 0.1);
    r3d::setCameraPosition(*camera_, {0.0f, static_cast<float>((m.z - kTransducerBelow) * 0.1), 0.0f});
    r3d::setCameraLookAt(*camera_, {0.0f, 0.0f, 1.0f});
    r3d::setCameraLookUp(*camera_, {0.0f, 1.0f, 0.0f});
    r3d::turnCamera(*camera_, static_cast<float>(180.0 - m.heading));
    r3d::tiltCamera(*camera_, static_cast<float>(m.pitch));
}

void RWhfsonar::drawInCamera() {
    echoes_ = hfSonarEchoes(ownBoat(), cameraScene_);
    for (const HfEcho& echo : echoes_)
        drawEcho(echo);
}

// A box of the echo's size about its position, lit by its brightness.
void RWhfsonar::drawEcho(const HfEcho& echo) const {
    const int category = echo.entity->category;
    r3d::Material* material = category == kCategoryMine || category == kCategoryDepth ? mineEcho_ : hullEcho_;
    if (!material || !r3d::beginImmediate(*material))
        return;
    const auto light = static_cast<std::int32_t>(r3d::queryLibrary(r3d::kQueryLightingValue) *
                                                 hfEchoBrightness(echo.distance) * kFixedOne);
    const float hx = echo.box.width / 2, hy = echo.box.height / 2, hz = echo.box.length / 2;
    const r3d::Vec3 c{echo.at.x - originX_, echo.at.y, echo.at.z - originZ_};
    std::array<r3d::Vec3, 8> corners;
    for (std::size_t i = 0; i < corners.size(); ++i)
        corners[i] = {c.x + (i & 1 ? hx : -hx), c.y + (i & 2 ? hy : -hy), c.z + (i & 4 ? hz : -hz)};
    // Each face whole, its texture across it, as two triangles.
    constexpr std::array<std::array<std::size_t, 4>, 6> kFaces{{
        {0, 1, 3, 2}, {4, 6, 7, 5}, {0, 2, 6, 4}, {1, 5, 7, 3}, {0, 4, 5, 1}, {2, 3, 7, 6},
    }};
    constexpr std::array<std::array<std::int32_t, 2>, 4> kUv{{{0, 0x10000}, {0x10000, 0x10000}, {0x10000, 0}, {0, 0}}};
    std::array<r3d::ImmediateVertex, 4> face;
    for (const auto& f : kFaces) {
        for (std::size_t k = 0; k < face.size(); ++k)
            face[k] = {corners[f[k]], light, light, light, kUv[k][0], kUv[k][1]};
        r3d::immediateTriangle(face, 0, 1, 2);
        r3d::immediateTriangle(face, 0, 2, 3);
    }
    r3d::endImmediate();
}

} // namespace q71
