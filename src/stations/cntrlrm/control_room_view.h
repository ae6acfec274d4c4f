#pragma once
// ControlRoomView: the 3-D view of the control room. It stands the camera at a placement in the
// room's frame (docs/render3d.md), draws the room model on a dark background with no sky or sea,
// walks and turns the camera by mouse drags, and picks the part of the room under the cursor: a
// part that stands for a built station shows the hand and, clicked, switches the host to it.

#include "stations/cntrlrm/cntrlrm_layout.h"
#include "tactical/rwutils/rw_widget.h"

namespace q71 {

class ControlRoomHost;

class ControlRoomView : public RWWidget {
public:
    /// Near and far clipping: the whole room, from a camera against a console to the far wall.
    static constexpr float kNearClip = 0.05f;
    static constexpr float kFarClip = 60.0f;

    ControlRoomView(WindowHandle parent, ControlRoomHost& host);
    /// Releases the room models.
    ~ControlRoomView() override;

    LResult handleMessage(std::uint32_t message, WParam wParam, LParam lParam) override;
    void placeCamera() override;
    /// The camera with the room's lens and lighting, and the room models; only the room is drawn.
    void createScene() override;
    void destroyScene() override;
    /// Renders the room alone (no sky, sea or effects of the outside views) and shows it.
    void blitFrame(DeviceContext& dc) override;

    /// Stores the placement for the next frame: y, heading and pitch are kept negated.
    void setCamera(float x, float y, float z, float heading, float pitch, int index);
    void setCamera(const RoomCamera& camera, int index);
    /// The placement as it was given.
    RoomCamera roomCamera() const;
    int viewpoint() const { return index_; }

    /// The object id of the room's part under a pixel of the view; 0 for none.
    int pickAt(int x, int y);
    /// True once after the placement or the scene changed (the frame is then due).
    bool takeFrameRequest();
    void requestFrame() { frameWanted_ = true; }

    /// The cursor over a part that stands for a built station.
    CursorHandle handCursor() const { return hand_; }
    r3d::Clump* room() const { return room_; }
    r3d::Clump* mockRoom() const { return mockRoom_; }

private:
    void releaseModels();
    void dragTo(Point at, WParam keys);
    /// The built station whose part lies under a pixel of the view, or -1.
    int offeredStation(Point at);

    ControlRoomHost& host_;
    r3d::Clump* room_ = nullptr;
    r3d::Clump* mockRoom_ = nullptr;
    bool roomInScene_ = false;
    // The placement, y, heading and pitch negated.
    float x_ = 0.0f, y_ = 0.0f, z_ = 0.0f, heading_ = 0.0f, pitch_ = 0.0f;
    int index_ = 0;
    CursorHandle hand_{};
    Point leftFrom_{};
    Point rightFrom_{};
    bool leftDrag_ = false;
    bool rightDrag_ = false;
    bool frameWanted_ = false;
};

} // namespace q71
