#pragma once
// Scope: the round periscope view. It looks out from the own boat's periscope head along a
// trainable bearing and elevation at one of four magnifications, draws the reticle and the
// readouts on the picture, turns green in night vision and washes over while the head is awash.

#include "framework/resources/resource_ref.h"
#include "platform/gdi/pen_brush.h"
#include "tactical/periscope/scope_optics.h"
#include "tactical/rwutils/rw_widget.h"

#include <array>

namespace q71 {

class Scope : public RWWidget {
public:
    static constexpr float kFarClip = 1800.0f;

    Scope(std::string_view name, WindowHandle parent, int x, int y, int width, int height);
    ~Scope() override;

    LResult handleMessage(std::uint32_t message, WParam wParam, LParam lParam) override;
    void drawOnImage(DeviceContext& dc) override;
    void drawOnWindow(DeviceContext&) override {}
    void setBackColour() override;
    void placeCamera() override;
    void applyTimeOfDay() override;
    /// The base scene, then reads the wash images: in the background while the caller counts
    /// background reads (grpInitAsync ... grpWaitAll), else at once.
    void createScene() override;
    void destroyScene() override;

    /// Field of view in degrees; zoom 32 / field of view.
    void setZoom(double fieldOfView);
    void setNightVision(bool on);
    void setAngles(float bearing, float elevation);
    /// Only the heading (degrees) matters to the optic.
    void setAttitude(float heading, float pitch, float roll);
    void setMastHeight(float height) { mastHeight_ = height; }
    /// Makes the wash images usable once their background reads are over.
    void prepareWash();

    float bearing() const { return bearing_; }
    float elevation() const { return elevation_; }
    bool nightVision() const { return nightVision_; }
    const WashState& washState() const { return wash_; }
    bool washReady() const { return washReady_; }

private:
    bool nightByDay() const;
    void drawReticle(DeviceContext& dc) const;
    void drawReadouts(DeviceContext& dc) const;
    void washFrame();

    Pen reticlePen_;
    std::array<ResourceRef, 5> washRefs_{};
    std::array<WashPicture, 5> washPictures_{};
    bool washReady_ = false;
    int washRowOffset_ = 0;
    float bearing_ = 0.0f;
    float elevation_ = 0.0f;
    float mastHeight_ = 0.0f;
    float heading_ = 0.0f;
    bool nightVision_ = false;
    WashState wash_;
    Point dragFrom_{};
};

} // namespace q71
