#include "tactical/rwutils/surface_patch.h"

#include "framework/math/fast_math.h"
#include "render3d/frame_renderer.h"
#include "sim/services/sim_services.h"
#include "sim/world/terrain_world.h"
#include "tactical/rwutils/view_geometry.h"

#include <cmath>

namespace q71 {
namespace {

constexpr double kPatchExtent = 12000.0; // metres: the grid's cells times their size
constexpr double kOffMap = -2000.0;
constexpr int kFloorComponents = 12;
constexpr int kOptionTextures3d = 0;
constexpr int kOptionDetail = 1;
constexpr int kClumpHint = 6;

} // namespace

int patchTextureMode() {
    return simFrontEnd().optionsField(kOptionDetail) == 1 ? r3d::kTextureTinted : r3d::kTextureTintedFast;
}

bool patchTexturesOn() {
    return simFrontEnd().optionsField(kOptionTextures3d) == 1;
}

Surface::Surface(bool fromTerrain, int gridSize)
    : n_(gridSize), cellSize_(kPatchExtent / gridSize), fromTerrain_(fromTerrain) {
    clump_ = r3d::createClump();
    clump_->setting = kClumpHint;
    clump_->userData = this;
}

Surface::~Surface() {
    r3d::destroyClump(clump_);
}

double Surface::terrainHeight(double x, double y) const {
    if (!fromTerrain_)
        return waveHeight(x, y, 0.0, kFloorComponents) * 500.0 - 200.0;
    double h = 0.0;
    return worldDepthAt(x, y, &h, false) ? h : kOffMap;
}

double Surface::textureU(double a, double b) const {
    return wrapInto((b - a) * textureScale_ / cellSize_ + 16.0, 32.0);
}

double Surface::gridX(int column) const {
    return centreX_ - (n_ / 2 - column - 1) * cellSize_;
}

double Surface::gridY(int row) const {
    return centreY_ - (n_ / 2 - row - 1) * cellSize_;
}

int Surface::addVertex(r3d::Vec3 position, r3d::Vec3 normal, float u, float v) {
    const int number = r3d::addVertex(*clump_, position);
    r3d::setVertexNormal(*clump_, number, r3d::normalised(normal));
    r3d::setVertexUV(*clump_, number, u, v);
    return number;
}

void Surface::update(float x, float y, float z) {
    const double wx = x * 10.0, wy = -z * 10.0, height = y * 10.0;
    const int column = static_cast<int>(wx / cellSize_);
    const int row = static_cast<int>(wy / cellSize_);
    const bool below = height < 0.0;
    if (!built_ || column != column_ || row != row_ || below != below_) {
        built_ = true;
        column_ = column;
        row_ = row;
        below_ = below;
        centreX_ = column * cellSize_;
        centreY_ = row * cellSize_;
        r3d::forAllPolygons(*clump_, [](r3d::Polygon& p) { r3d::destroyPolygon(&p); });
        clump_->vertices.clear();
        build();
        ++builds_;
        // Settled at its next drawing, once.
        clump_->renderCallback = [](r3d::Clump& c) {
            c.setting = 1.0f;
            c.renderCallback = nullptr;
            r3d::renderClump(c);
        };
    }
    r3d::transformClump(*clump_, r3d::Matrix::translation({-x, 0.0f, -z}), r3d::Combine::Replace);
}

} // namespace q71
