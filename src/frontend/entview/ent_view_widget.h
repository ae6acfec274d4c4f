#pragma once
// The entity viewer's 3-D view: the world's scene entities seen from a camera that circles the
// followed one, a little from above and as far off as the model's size asks. A drag with the left
// button turns the camera about it, with the right button the camera comes closer or goes further.

#include "platform/geometry/rect.h"
#include "tactical/rwutils/rw_widget.h"

namespace q71 {

/// The viewer's camera about the followed entity: it outlives the viewers (a mission's viewer
/// opens where the last one was left) until the start-up resets it.
struct EntViewCamera {
    double tilt = 0.0; ///< degrees, down negative
    double pan = 0.0;  ///< degrees about the entity
    double zoom = 1.0; ///< the stand-off's factor
};

class EntViewWidget : public RWWidget {
public:
    /// The drags change `camera`, which must outlive the view.
    EntViewWidget(WindowHandle parent, const Rect& area, EntViewCamera& camera);
    ~EntViewWidget() override;

    LResult handleMessage(std::uint32_t message, WParam wParam, LParam lParam) override;
    /// The base placement (lifted above the ground), then on the followed entity's side of the
    /// sea's surface and clear of its waves; the camera looks at what it follows from wherever
    /// it came to stand.
    void placeCamera() override;

    /// Aims the camera at the followed object, whose model spans the box given (scene units, the
    /// model's own frame): a little from above, at the camera's turn, as far off as framing asks
    /// times the camera's zoom.
    void aim(const r3d::Vec3& minimum, const r3d::Vec3& maximum);

private:
    EntViewCamera& orbit_;
    r3d::Clump* blank_;
    double origin_ = 0.0;
    int lastX_ = 0, lastY_ = 0;
};

} // namespace q71
