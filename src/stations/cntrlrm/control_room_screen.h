#pragma once
// The control room, station 12 of the host ("cntrlrmscreen"; built only while the 3-D control room
// option is on): a 3-D view of the room to look around in, nine station buttons, two arrows that
// walk the camera round nine viewpoints, and a plan of the room whose markers show where one
// stands. A station button, or a click on that station's console in the room, switches the host to
// the station; a station the host has not built is not offered.

#include "framework/app/sub_screen.h"
#include "stations/cntrlrm/cntrlrm_layout.h"
#include "stations/cntrlrm/viewpoint_walk.h"

#include <array>
#include <memory>

namespace q71 {

class ControlRoomHost;
class ControlRoomView;
class SimpleButton;

class ControlRoomScreen : public SubScreen {
public:
    /// The screen of the host that owns `parent`.
    ControlRoomScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    /// The screen with a host of the caller's (kept alive while the screen lives).
    ControlRoomScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y,
                      ControlRoomHost& host);
    ~ControlRoomScreen() override;

    /// Reads the art (missing art is fatal), loads the buttons, offers the built stations, creates
    /// the scene and asks for a frame.
    void open() override;
    /// Frees the art and the buttons and destroys the scene.
    void close() override;
    void onShow() override;
    void onHide() override;
    /// The background, the markers; the view's frame is asked for again.
    void paint(DeviceContext& dc) override;
    /// 1-9 switch the host to the button's station, 11 and 12 walk to the previous or next viewpoint.
    int onCommand(WParam wParam, LParam lParam) override;
    /// One step of a move (rendered every step), otherwise a frame only when one is due.
    void update() override;

    ControlRoomView& view() const { return *view_; }
    const ViewpointWalk& walk() const { return walk_; }
    SimpleButton& stationButton(int index) const { return *stationButtons_[static_cast<std::size_t>(index)]; }
    /// The source row of the marker drawn at a viewpoint's plan place (counted from the bitmap's
    /// stored first row): 0 for the marked viewpoint, past the first dot and its separator for the
    /// others.
    int markerSourceY(int viewpoint) const;

private:
    void build();
    void arrive();
    void drawMarkers(DeviceContext& dc) const;

    std::unique_ptr<ControlRoomHost> ownHost_;
    ControlRoomHost& host_;
    std::unique_ptr<ControlRoomView> view_;
    std::array<std::unique_ptr<SimpleButton>, kRoomStationButtonCount> stationButtons_;
    std::array<std::unique_ptr<SimpleButton>, 2> arrows_;
    WidgetBitmap marker_;
    ViewpointWalk walk_;
};

/// Registers the control room's maker for station 12 of the host's table.
void controlRoomRegisterStation();

} // namespace q71
