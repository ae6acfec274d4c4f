#pragma once
// Surface patches of a 3-D view: a square grid of terrain centred on the cell under the camera,
// rebuilt from the terrain heights when the camera moves into another cell or crosses the
// surface. The land patch shows land, coast cut along the waterline and shallow sea; the seabed
// patch shows the bottom from below. Scene units: x · 0.1, height · 0.1, −y · 0.1.

#include "render3d/clump.h"
#include "render3d/material.h"

#include <array>
#include <string>

namespace q71 {

/// Per-triangle kinds of the land patch.
enum class PatchKind { Land = 1, Sea = 2, Coast = 3 };

class Surface {
public:
    /// fromTerrain: heights from the mission's terrain, else a synthetic sea floor.
    Surface(bool fromTerrain, int gridSize);
    virtual ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    virtual void applyTextures() {}
    virtual void releaseTextures() {}

    /// Called every frame with the camera's scene position (floating origin included).
    void update(float x, float y, float z);
    r3d::Clump* clump() const { return clump_; }
    int gridSize() const { return n_; }
    double cellSize() const { return cellSize_; }
    int cellColumn() const { return column_; }
    int cellRow() const { return row_; }
    /// Rebuilds done so far.
    int builds() const { return builds_; }

    /// The ground or bottom height (metres) at a world point: the mission's terrain (−2000 off
    /// the map), or the synthetic floor.
    double terrainHeight(double x, double y) const;
    /// A texture coordinate of the distance b − a at the texture scale, wrapped into [0, 32).
    double textureU(double a, double b) const;
    double textureV(double a, double b) const { return textureU(a, b); }

protected:
    /// World position of grid vertex (row, column).
    double gridX(int column) const;
    double gridY(int row) const;
    virtual void build() = 0;
    /// Adds a vertex with its place, normal and texture coordinates; returns its number.
    int addVertex(r3d::Vec3 position, r3d::Vec3 normal, float u, float v);

    double textureScale_ = 1.0;
    double centreX_ = -1.0, centreY_ = -1.0;
    bool below_ = false;

private:
    int n_;
    double cellSize_;
    int column_ = -1, row_ = -1;
    bool fromTerrain_;
    bool built_ = false;
    int builds_ = 0;
    r3d::Clump* clump_ = nullptr;
};

class SeabedSurface final : public Surface {
public:
    SeabedSurface(bool fromTerrain, int gridSize);
    ~SeabedSurface() override;
    void applyTextures() override;
    void releaseTextures() override;
    r3d::Material& material() { return *material_; }

private:
    void build() override;
    r3d::Material* material_;
    std::string texture_;
};

class LandSurface final : public Surface {
public:
    /// restricted: the wet parts are flattened to the surface (the patch of free height);
    /// otherwise only low ground and water shallower than 13 m are drawn.
    LandSurface(bool fromTerrain, int gridSize, bool restricted);
    ~LandSurface() override;
    void applyTextures() override;
    void releaseTextures() override;
    bool restricted() const { return restricted_; }
    r3d::Material& material(PatchKind kind, int landVariant = 0);

    /// Adds one triangle of the kind (scene positions); `waterline` marks vertices on the
    /// waterline (coast texture runs from them up the slope).
    void addTriangle(const std::array<r3d::Vec3, 3>& v, PatchKind kind, const std::array<bool, 3>& waterline);
    /// Adds the pieces of one grid triangle: land, coast cut at the waterline, sea.
    void addCellTriangle(std::array<r3d::Vec3, 3> v);
    /// The free-height patch's sea lies flat at the animated sea's own mean height: where that
    /// sea reaches (within `radius` of the camera's scene point x, z) the patch leaves its sea
    /// triangles out, or the two would show through each other wave by wave. Every frame.
    void yieldSeaWithin(float x, float z, float radius);

private:
    void build() override;
    r3d::Material* sea_;
    r3d::Material* coast_;
    std::array<r3d::Material*, 2> land_;
    bool restricted_;
    bool texturesLoaded_ = false;
    float coastU_ = 0.0f;
    int landParity_ = 0;
};

/// The scene material settings shared by the patches: texture mode by the detail option.
int patchTextureMode();
/// True when the 3-D textures option is on.
bool patchTexturesOn();

} // namespace q71
