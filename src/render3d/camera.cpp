#include "render3d/camera.h"
#include "platform/gdi/blit.h"
#include "render3d/backdrop.h"
#include "render3d/immediate.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace q71::r3d {

namespace {

Camera* updating = nullptr;

bool positive(float v) {
    return std::isfinite(v) && v > 0.0f;
}

bool finite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

Viewport clipped(const Camera& c, int x, int y, int width, int height) {
    const int x0 = std::clamp(x, 0, c.width()), y0 = std::clamp(y, 0, c.height());
    const long long x1 = std::clamp<long long>(static_cast<long long>(x) + std::max(width, 0), x0, c.width());
    const long long y1 = std::clamp<long long>(static_cast<long long>(y) + std::max(height, 0), y0, c.height());
    return {x0, y0, static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

int channel(float v) {
    return std::isfinite(v) ? static_cast<int>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f) : 0;
}

// Rebuilds the base axes from a view direction and an up hint, keeping the position.
void orient(Camera& c, Vec3 look, Vec3 upHint) {
    look = normalised(look);
    Vec3 left = normalised(cross(upHint, look));
    if (left == Vec3{}) // up along the view: any square up will do
        left = normalised(cross(Vec3{0.0f, 0.0f, 1.0f}, look));
    if (left == Vec3{})
        left = {1.0f, 0.0f, 0.0f};
    c.base.c0 = left;
    c.base.c1 = cross(look, left);
    c.base.c2 = look;
}

void rotateBase(Camera& c, const Matrix& r) {
    const Vec3 position = c.base.t;
    c.base = compose(c.base, r);
    c.base.t = position;
}

} // namespace

Camera::Camera(int width, int height)
    : viewWindowY(static_cast<float>(height) / static_cast<float>(width)),
      viewport{0, 0, width, height},
      backdropViewport{0, 0, width, height},
      image_(Bitmap::createCompatible(width, height)),
      depth_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    // Looking along the scene's -Z with Y up.
    base.c0 = {-1.0f, 0.0f, 0.0f};
    base.c2 = {0.0f, 0.0f, -1.0f};
}

Camera* createCamera(int width, int height) {
    if (width < 1 || height < 1 || width > 4096 || height > 4096)
        return nullptr;
    return new Camera(width, height);
}

void destroyCamera(Camera* camera) {
    if (camera && camera == updating)
        endCameraUpdate(*camera);
    delete camera;
}

void setProjection(Camera& c, Projection projection) {
    c.projection = projection;
}

bool setViewWindow(Camera& c, float halfWidth, float halfHeight) {
    if (!positive(halfWidth) || !positive(halfHeight))
        return false;
    c.viewWindowX = halfWidth;
    c.viewWindowY = halfHeight;
    return true;
}

bool setNearClip(Camera& c, float distance) {
    if (!positive(distance))
        return false;
    c.nearClip = distance;
    return true;
}

bool setFarClip(Camera& c, float distance) {
    if (!positive(distance))
        return false;
    c.farClip = distance;
    return true;
}

void setViewport(Camera& c, int x, int y, int width, int height) {
    c.viewport = clipped(c, x, y, width, height);
}

void setBackdropViewport(Camera& c, int x, int y, int width, int height) {
    c.backdropViewport = clipped(c, x, y, width, height);
}

void setBackgroundColour(Camera& c, float red, float green, float blue) {
    c.backgroundRed = channel(red);
    c.backgroundGreen = channel(green);
    c.backgroundBlue = channel(blue);
    c.background = static_cast<std::uint16_t>((c.backgroundRed >> 3) << 11 | (c.backgroundGreen >> 2) << 5 |
                                              (c.backgroundBlue >> 3));
}

void setBackdrop(Camera& c, Image* image) {
    c.backdrop = image ? image->shared_from_this() : nullptr;
}

void setBackdropOffset(Camera& c, int x, int y) {
    c.backdropOffsetX = x;
    c.backdropOffsetY = y;
}

void setCameraPosition(Camera& c, Vec3 position) {
    if (finite(position))
        c.base.t = position;
}

void setCameraLookAt(Camera& c, Vec3 direction) {
    if (finite(direction) && normalised(direction) != Vec3{})
        orient(c, direction, c.base.c1);
}

void setCameraLookUp(Camera& c, Vec3 up) {
    if (finite(up) && normalised(up) != Vec3{})
        orient(c, c.base.c2, up);
}

void panCamera(Camera& c, float degrees) {
    rotateBase(c, Matrix::rotation(Axis::Y, -degrees));
}

void tiltCamera(Camera& c, float degrees) {
    rotateBase(c, Matrix::rotation(Axis::X, -degrees));
}

void turnCamera(Camera& c, float degrees) {
    const Matrix r = Matrix::rotation(Axis::Y, degrees);
    c.base.c0 = r.applyDirection(c.base.c0);
    c.base.c1 = r.applyDirection(c.base.c1);
    c.base.c2 = r.applyDirection(c.base.c2);
}

void moveCamera(Camera& c, Vec3 by) {
    if (finite(by))
        c.base.t = c.base.apply(by);
}

Vec3 cameraPosition(const Camera& c) {
    return c.frame().t;
}

Vec3 cameraLookAt(const Camera& c) {
    return normalised(c.frame().c2);
}

Vec3 cameraLookUp(const Camera& c) {
    return normalised(c.frame().c1);
}

void transformCamera(Camera& c, const Matrix& m, Combine how) {
    c.transform = combine(c.transform, m, how);
}

void invalidateCamera(Camera&) {}

bool beginCameraUpdate(Camera& c) {
    if (updating && updating != &c)
        return false;
    updating = &c;
    c.updating = true;
    return true;
}

void clearCamera(Camera& c) {
    const ImagePixels image = lockCameraImage(c);
    const Viewport& v = c.viewport;
    for (int y = v.y; y < v.y + v.height; ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(image.pixels) + y * image.rowStep);
        std::fill(row + v.x, row + v.x + v.width, c.background);
        float* depth = c.depth().data() + static_cast<std::ptrdiff_t>(y) * c.width();
        std::fill(depth + v.x, depth + v.x + v.width, -std::numeric_limits<float>::max());
    }
    if (c.backdrop)
        drawBackdrop(c, image);
}

void endCameraUpdate(Camera& c) {
    if (updating == &c)
        endImmediate(); // a batch left open draws no further
    c.updating = false;
    if (updating == &c)
        updating = nullptr;
}

Camera* cameraInUpdate() {
    return updating;
}

ImagePixels lockCameraImage(Camera& c) {
    Bitmap& image = *c.image();
    return {reinterpret_cast<std::uint16_t*>(image.bits().data()), image.width(), image.height(),
            static_cast<std::ptrdiff_t>(image.stride())};
}

std::unique_ptr<DeviceContext> cameraContext(Camera& c) {
    auto dc = DeviceContext::createMemory();
    dc->selectBitmap(c.image());
    return dc;
}

bool showCamera(Camera& c, DeviceContext& dc, int x, int y) {
    auto source = cameraContext(c);
    return bitBlt(dc, x, y, c.width(), c.height(), source.get(), 0, 0, kSrcCopy);
}

} // namespace q71::r3d
