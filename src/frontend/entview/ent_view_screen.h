#pragma once
// The entity viewer (station 13, "entviewscreen"): a 3-D view of the world's scene entities with
// their wakes and wrecks (detail 1), its camera following one entity of the world, the own boat
// first; the buttons step through the others, a lost one hands the camera on. A drag with the
// left button turns the camera about the entity, with the right button it comes closer or goes
// further. While the viewer shows, explosions are heard where its camera is.

#include "framework/app/sub_screen.h"
#include "frontend/entview/ent_view_widget.h"

#include <cstdint>
#include <memory>

namespace q71 {

class SimpleButton;

class EntViewScreen : public SubScreen {
public:
    EntViewScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    ~EntViewScreen() override;

    /// The view joins the scene entities and follows the own boat (or the first entity).
    void open() override;
    /// The view leaves the scene entities and goes; explosions are heard at the own boat again.
    void close() override;
    /// Hands a lost entity on, then draws a frame.
    void update() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;

    /// Follows the entity of an id (nothing when it has no object in the view); true when it does.
    bool follow(std::int32_t id);
    /// The entity followed (0: none).
    std::int32_t followedId() const { return followed_; }
    /// Follows the next (+1) or previous (−1) entity of the list.
    void step(int direction);
    EntViewWidget* view() const { return view_.get(); }

    /// Where the shown viewer's camera stands, in world metres; false when no viewer shows.
    static bool cameraPosition(double& x, double& y, double& z);

private:
    void followFirst();
    void aimCamera();

    std::unique_ptr<EntViewWidget> view_;
    std::unique_ptr<SimpleButton> previous_;
    std::unique_ptr<SimpleButton> next_;
    std::int32_t followed_ = 0;
};

/// The camera every viewer starts from.
EntViewCamera& entViewCamera();
/// Puts the camera back: level, astern of the entity, at the ordinary distance (0, 0, 1.0).
void entViewResetCamera();
/// Registers the viewer for station slot 13.
void entViewRegister();

} // namespace q71
