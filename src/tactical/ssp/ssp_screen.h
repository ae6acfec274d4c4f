#pragma once
// The sound-speed profile station, station 7 ("ssp"): one button launches a probe (an XBT); while
// it falls the graph draws the profile down to the probe's depth and the table lists depth,
// temperature and speed per level; once it has reached the bottom the sonic layer shows.
// The profile is the water's own for the bottom under the boat at the launch, built without
// touching the mission's.

#include "framework/app/sub_screen.h"
#include "platform/geometry/rect.h"
#include "sim/simulation/sound_profile.h"
#include "tactical/ssp/ssp_graph.h"

#include <memory>

namespace q71 {

class DeviceContext;
class HotSpot;
class SimpleButton;

inline constexpr int kSspLaunchId = 1000;
inline constexpr std::uintptr_t kSspTimer = 3001;
/// The launch button, its tool tip and the title's hot spot.
struct SspButtonRow {
    int x, y, width, height, frames;
    const char* bitmap;
};
inline constexpr SspButtonRow kSspLaunchButton{290, 375, 40, 42, 2, "x290y375.bmp"};
inline constexpr int kSspLaunchTip = 551;
inline constexpr Rect kSspTitleSpot{211, 9, 342, 20};
inline constexpr int kSspTitleText = 451;
inline constexpr const char* kSspGroup = "ssp";
inline constexpr const char* kSspBackground = "scrn17.bmp";
/// Where the table's columns start and its first line sits.
inline constexpr int kSspTableY = 70;
inline constexpr int kSspTableColumns[] = {295, 350, 400};

class SspScreen : public SubScreen {
public:
    SspScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    /// Stops the timer and forgets the live screen.
    ~SspScreen() override;

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;

    /// Launches a probe (command 1000).
    void launch();
    /// Draws the graph and the table over whatever the window shows.
    void drawGraph(DeviceContext& dc);
    /// One tick of timer 3001: the graph again; the timer stops once the probe has fallen.
    void tick();

    const SoundProfile& profile() const { return profile_; }
    const SspDrop& drop() const { return drop_; }
    bool timerRunning() const { return timerRunning_; }

private:
    void buildProfile();
    void drawScale(DeviceContext& dc, int axisX, double fullScale);
    void drawTable(DeviceContext& dc, std::optional<double> probe);

    std::unique_ptr<SimpleButton> button_;
    std::unique_ptr<HotSpot> title_;
    SoundProfile profile_;
    double layerDepth_ = -1.0;
    SspDrop drop_;
    bool timerRunning_ = false;
};

/// The live station, or null.
SspScreen* sspScreen();

/// Registers the station's maker for station 7 of the host's table.
void sspRegisterStation();

} // namespace q71
