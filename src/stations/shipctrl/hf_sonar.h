#pragma once
// RWhfsonar: ship control's high-frequency sonar display, a small 3-D view looking ahead from
// the own boat in which every hull, weapon and mine within reach shows as a green box, brighter
// the nearer it is. A click on it, or the crew when assisting, designates what it shows ahead.

#include "stations/shipctrl/hf_sonar_scan.h"
#include "tactical/rwutils/rw_widget.h"

#include <vector>

namespace q71::r3d {
struct Material;
}

namespace q71 {

class RWhfsonar : public RWWidget {
public:
    static constexpr int kX = 127, kY = 118, kWidth = 211, kHeight = 59;

    explicit RWhfsonar(WindowHandle parent);
    ~RWhfsonar() override;

    /// One frame (only while shown): the picture, then the designation of a click or the crew.
    void render() override;
    LResult handleMessage(std::uint32_t message, WParam wParam, LParam lParam) override;
    void placeCamera() override;
    void drawInCamera() override;
    /// Opens the display: its glass as the backdrop, a 70-degree field of view.
    void createScene() override;

    /// The echoes of the last frame, farthest first.
    const std::vector<HfEcho>& echoes() const { return echoes_; }
    /// Where the last click fell (window coordinates), kept until the next.
    Point lastClick() const { return click_; }

private:
    void drawEcho(const HfEcho& echo) const;

    std::vector<HfEcho> echoes_;
    r3d::Material* hullEcho_ = nullptr;
    r3d::Material* mineEcho_ = nullptr;
    bool mineTexture_ = false;
    bool clicked_ = false;
    Point click_{};
};

} // namespace q71
