#pragma once
// The base of the ship control station's 3-D dials: a windowed widget whose picture is a face
// image (a camera backdrop) with one or two pointer models turned over it, rendered by the 3-D
// library. A dial renders only while shown and when a pointer's whole-degree angle changed; a
// paint without a change shows the last picture.

#include "framework/widgets/base_widget.h"
#include "render3d/camera.h"
#include "render3d/clump.h"
#include "render3d/math.h"
#include "render3d/scene.h"

#include <string>

namespace q71 {

/// A pointer of a dial: its model, placed by scaling, turning about its origin, then moving.
struct DialPointer {
    r3d::Clump* model = nullptr;
    int angle = 0; ///< whole degrees, counterclockwise as seen from the camera
    r3d::Vec3 position{0.0f, 0.0f, 0.0f};
    r3d::Vec3 scale{1.0f, 1.0f, 1.0f};
};

class ShipCtrlRWDial : public BaseWidget {
public:
    ShipCtrlRWDial(WindowHandle parent, int id, int x, int y, int width, int height, std::string background,
                   std::string pointerModel);
    ~ShipCtrlRWDial() override;

    /// Camera, scene, light, face and pointer; a dial whose camera, scene or light cannot be made
    /// stays without its picture.
    void loadResources() override;
    void freeResources() override;
    void show() override;
    void paint(PaintRecord& paint) override;
    /// Renders the picture when shown and a pointer moved since the last one.
    void draw();

    const DialPointer& actualPointer() const { return actual_; }
    /// The rendered picture (null before the dial opened).
    r3d::Camera* camera() const { return camera_; }

protected:
    /// Loads a further pointer model into the scene (null when missing).
    r3d::Clump* addPointer(const std::string& model);
    void releasePointer(DialPointer& pointer);
    /// The pointers placed before each render; the base places the actual one.
    virtual void placePointers();
    static void place(const DialPointer& pointer);
    void setLightBrightness(float brightness);
    /// Asks for a render at the next draw.
    void markChanged() { changed_ = true; }

    DialPointer actual_;

private:
    std::string background_;
    std::string pointerModel_;
    r3d::Camera* camera_ = nullptr;
    r3d::Scene* scene_ = nullptr;
    r3d::Light* light_ = nullptr; ///< owned by the scene
    bool faceLoaded_ = false;
    bool changed_ = true;
};

} // namespace q71
