#pragma once
// The stadimeter's silhouette: a small 3-D view of one ship type's model on white, turned by a
// yaw the operator sets to match the ship's angle on the bow and kept far enough away to fill
// the view.

#include "tactical/rwutils/rw_widget.h"

#include <string>

namespace q71 {

class SilhouetteView : public RWWidget {
public:
    static constexpr double kZoomMax = 2.5;
    static constexpr double kZoomMin = 0.4;
    static constexpr double kInitialYaw = 90.0;

    /// The view, lit dim so that the model stands dark on white, showing `shipKey`'s model once
    /// its scene exists.
    SilhouetteView(std::string_view name, WindowHandle parent, int x, int y, int width, int height,
                   std::string_view shipKey);
    ~SilhouetteView() override;

    void drawOnWindow(DeviceContext&) override {}
    /// White.
    void setBackColour() override;
    void createScene() override;
    void destroyScene() override;

    /// Shows another ship type (its record's mast height, 0 without one).
    void setShip(std::string_view key);
    /// Unloads the model shown.
    void unloadModel();
    /// Yaw in degrees, kept within (−180, 180].
    void setYaw(double degrees);
    double yaw() const { return yaw_; }
    /// The zoom, kept within 0.4 ... 2.5; the model is placed again.
    void setZoom(double zoom);
    void zoomIn(double factor) { setZoom(zoom_ / factor); }
    void zoomOut(double factor) { setZoom(zoom_ * factor); }
    void setFieldOfView(double degrees);

    double zoomLevel() const { return zoom_; }
    double modelDistance() const { return position_[1]; }
    double mastHeight() const { return mastHeight_; }
    bool hasModel() const { return modelHandle_ >= 0; }
    const std::string& shipKey() const { return shipKey_; }

private:
    void loadModel();
    /// Puts the model far enough ahead that it fills the view, times the zoom.
    void placeModel();

    double position_[3] = {0.0, -1000.0, 0.0};
    double yaw_ = kInitialYaw;
    double angles_[2] = {0.0, 0.0};
    std::string shipKey_;
    int modelHandle_ = -1;
    r3d::Clump* sceneClump_ = nullptr;
    r3d::Clump* model_ = nullptr;
    bool active_ = false;
    double storedFieldOfView_ = 0.0;
    double zoom_ = 1.0;
    double mastHeight_ = 0.0;
};

} // namespace q71
