#include "render3d/modelling.h"

namespace q71::r3d {

namespace {

struct Modelling {
    Clump* clump = nullptr;
    // The surface of the next triangles; a fresh material whenever it changes, so that earlier
    // triangles keep theirs.
    MaterialRef surface;
};

Modelling modelling;

Material& surface() {
    if (!modelling.surface)
        modelling.surface = std::make_shared<Material>();
    return *modelling.surface;
}

void changeSurface() {
    modelling.surface = std::make_shared<Material>(surface());
}

} // namespace

void beginModelling() {
    abandonModelling();
    modelling.clump = createClump();
}

int modelVertex(Vec3 position, float u, float v) {
    if (!modelling.clump)
        return 0;
    const int n = addVertex(*modelling.clump, position);
    if (n != 0)
        setVertexUV(*modelling.clump, n, u, v);
    return n;
}

bool modelTriangle(int a, int b, int c) {
    if (!modelling.clump)
        return false;
    Polygon* p = addTriangle(*modelling.clump, a, b, c);
    if (!p)
        return false;
    p->material = surface().shared_from_this();
    return true;
}

void modelSurfaceColour(float red, float green, float blue) {
    changeSurface();
    setMaterialColour(surface(), red, green, blue);
}

void modelSurfaceProperties(float ambient, float diffuse, float specular) {
    changeSurface();
    setMaterialSurface(surface(), ambient, diffuse, specular);
}

Clump* endModelling() {
    Clump* out = modelling.clump;
    modelling = {};
    return out;
}

void abandonModelling() {
    destroyClump(modelling.clump);
    modelling = {};
}

} // namespace q71::r3d
