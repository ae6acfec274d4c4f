#pragma once
// Cameras: a view into a scene and the RGB565 image it is drawn into (docs/render3d.md).
//
// The camera's own axes: Z along the view, Y up, X to the left of the view (so that the three
// are right-handed). Its place is a base frame (position, look-at and look-up vectors, moved by
// pan, tilt, turn and move) followed by a transform given in the base frame's axes.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "render3d/math.h"
#include "render3d/texture.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace q71::r3d {

enum class Projection { Perspective = 1, Parallel = 2 };

/// A rectangle of the camera image in pixels.
struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
};

/// The locked camera image: the first pixel of the top row, the width and height in pixels and
/// the bytes from one row to the next.
struct ImagePixels {
    std::uint16_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t rowStep = 0;
};

class Camera {
public:
    Camera(int width, int height);

    int width() const { return image_->width(); }
    int height() const { return image_->height(); }
    const BitmapRef& image() const { return image_; }

    Projection projection = Projection::Perspective;
    /// Half the width and half the height of the view plane at distance 1 (parallel: in scene
    /// units).
    float viewWindowX = 1.0f;
    float viewWindowY = 0.75f;
    float nearClip = 0.5f;
    float farClip = 600.0f;
    Viewport viewport;
    Viewport backdropViewport;
    /// The background as RGB565, and as 8-bit channels (for fog).
    std::uint16_t background = 0;
    int backgroundRed = 0, backgroundGreen = 0, backgroundBlue = 0;
    std::shared_ptr<Image> backdrop;
    int backdropOffsetX = 0;
    int backdropOffsetY = 0;
    /// A value callers set with no meaning here; kept.
    float setting = 0.0f;

    /// The base frame (columns: X, Y, Z axes, position) and the transform after it.
    Matrix base;
    Matrix transform;
    /// Where the camera stands and looks: base then transform.
    Matrix frame() const { return compose(base, transform); }

    /// The depth of each pixel (larger is nearer), one row after another.
    std::vector<float>& depth() { return depth_; }
    bool updating = false;

private:
    BitmapRef image_;
    std::vector<float> depth_;
};

/// A camera of the size (1 ... 4096 each way; null otherwise): perspective, view window 1 by
/// height/width, near 0.5, far 600, viewports the whole image, black background.
Camera* createCamera(int width, int height);
void destroyCamera(Camera* camera);

void setProjection(Camera& c, Projection projection);
/// Non-finite or non-positive values are ignored (false).
bool setViewWindow(Camera& c, float halfWidth, float halfHeight);
bool setNearClip(Camera& c, float distance);
bool setFarClip(Camera& c, float distance);
/// Clipped to the image.
void setViewport(Camera& c, int x, int y, int width, int height);
void setBackdropViewport(Camera& c, int x, int y, int width, int height);
/// Channels 0 ... 1.
void setBackgroundColour(Camera& c, float red, float green, float blue);
/// An image, or null for none.
void setBackdrop(Camera& c, Image* image);
void setBackdropOffset(Camera& c, int x, int y);

void setCameraPosition(Camera& c, Vec3 position);
/// The view direction; the up vector is kept square to it. A zero vector is ignored.
void setCameraLookAt(Camera& c, Vec3 direction);
/// The up direction, made square to the view direction.
void setCameraLookUp(Camera& c, Vec3 up);
/// Turns the view to the right by degrees (about the camera's Y axis).
void panCamera(Camera& c, float degrees);
/// Raises the view by degrees (about the camera's X axis).
void tiltCamera(Camera& c, float degrees);
/// Turns the camera about the scene's vertical axis through it, counterclockwise seen from
/// above (as a model is turned).
void turnCamera(Camera& c, float degrees);
/// Moves the camera along its own axes.
void moveCamera(Camera& c, Vec3 by);
/// Where the camera stands and the way it looks, transform included.
Vec3 cameraPosition(const Camera& c);
Vec3 cameraLookAt(const Camera& c);
Vec3 cameraLookUp(const Camera& c);
void transformCamera(Camera& c, const Matrix& m, Combine how);

/// Asks for a redraw; the image is redrawn at every update anyway.
void invalidateCamera(Camera& c);
/// Starts drawing into the camera: scenes render and immediate geometry draws into it until
/// endCameraUpdate. False while another camera is being updated.
bool beginCameraUpdate(Camera& c);
/// Fills the viewport with the background, the backdrop over it, and clears the depth.
void clearCamera(Camera& c);
void endCameraUpdate(Camera& c);
/// The camera being updated, or null.
Camera* cameraInUpdate();

ImagePixels lockCameraImage(Camera& c);
/// A memory context with the camera image selected, for drawing overlays on it.
std::unique_ptr<DeviceContext> cameraContext(Camera& c);
/// Copies the image to (x, y) of the context.
bool showCamera(Camera& c, DeviceContext& dc, int x, int y);

} // namespace q71::r3d
