#pragma once
// The radar station (station 2, "radarscreen"): the mast switch and its lamp, the scope with its
// range scale, rings and cursor, and the tag button that makes the blip under the cursor a radar
// contact. The scope ticks every 150 ms (timer 2200) from the first paint to the closing.

#include "framework/app/sub_screen.h"
#include "tactical/displays/station_controls.h"
#include "framework/widgets/widget_bitmap.h"
#include "platform/geometry/region.h"
#include "tactical/radar/radar_scope.h"
#include "tactical/sonar/level_dib.h"

#include <memory>
#include <vector>

namespace q71 {

class BaseWidget;
class ButtonToggle;
class DetentSwitch;
class HotSpot;
class ReadOut;
class Sensor;

inline constexpr StationControlRow kRadarTag{0, 283, 365, 49, 51, 2, "X283Y365.bmp"};
inline constexpr StationControlRow kRadarMast{1, 400, 30, 110, 61, 5, "X400Y030.bmp"};
inline constexpr StationControlRow kRadarRings{2, 420, 272, 70, 47, 5, "X420Y272.bmp"};
inline constexpr StationControlRow kRadarRange{3, 408, 175, 98, 76, 6, "X408Y175.bmp"};
inline constexpr StationControlRow kRadarSpacing{4, 400, 340, 119, 80, 6, "X400Y340.bmp"};
/// The lamp: two frames of 28 by 34 stacked, lit on top.
inline constexpr StationControlRow kRadarLamp{-1, 438, 105, 28, 34, 2, "X438Y105.bmp"};
inline constexpr const char* kRadarGroup = "radar";
inline constexpr const char* kRadarBackground = "scrn31.bmp";
/// The labels of the background and their tool tips.
struct RadarLabel {
    Rect rect;
    int text;
};
inline constexpr RadarLabel kRadarLabels[] = {{{414, 11, 493, 22}, 471},
                                              {{413, 91, 493, 102}, 472},
                                              {{396, 159, 510, 170}, 429},
                                              {{413, 258, 494, 269}, 473},
                                              {{401, 326, 506, 337}, 474}};
/// The scope's window: twelve corners round the picture placed at (78, 87).
inline constexpr Point kRadarScopeWindow[] = {{210, 87},  {264, 113}, {290, 158}, {290, 228},
                                              {264, 273}, {210, 299}, {158, 299}, {104, 273},
                                              {78, 228},  {78, 158},  {104, 113}, {158, 87}};
inline constexpr Point kRadarPictureAt{78, 87};
/// The readouts: bearing (3 digits) and range (5 digits).
inline constexpr Point kRadarBearingReadOut{156, 389};
inline constexpr Point kRadarRangeReadOut{212, 389};

/// The colour of a scope level (0-63): near black to orange.
RgbQuad radarLevelColour(int level);

class RadarScreen : public SubScreen {
public:
    static constexpr std::uintptr_t kTickTimer = 2200;

    RadarScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    /// Stops the tick and stops being the live radar screen.
    ~RadarScreen() override;

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    LResult handleMessage(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) override;

    /// One tick of the scope, as the timer runs it.
    void tick();
    /// Carries out a control's command.
    void command(int id, int value);

    RadarScope& scope() { return scope_; }
    int lampFrame() const { return lampFrame_; }
    /// The composed picture (null before the first paint).
    const Bitmap* composed() const { return composed_.get(); }

private:
    void buildControls();
    void setMast(bool raise);
    void tag();
    void moveCursor(int x, int y);
    bool ensurePicture();
    /// Copies the picture, draws the rings and the cursor and shows it through the scope's window.
    void overlay();
    void showOverlay(DeviceContext& dc);
    void drawLamp(DeviceContext& dc) const;
    void showLamp(int frame);
    Sensor* radar() const;
    void ensureRadar();

    RadarScope scope_;
    std::vector<std::unique_ptr<BaseWidget>> widgets_;
    std::vector<std::unique_ptr<HotSpot>> hotSpots_;
    ButtonToggle* mastSwitch_ = nullptr;
    ButtonToggle* ringsSwitch_ = nullptr;
    DetentSwitch* rangeKnob_ = nullptr;
    DetentSwitch* spacingKnob_ = nullptr;
    std::unique_ptr<ReadOut> bearingReadOut_, rangeReadOut_;
    WidgetBitmap lamp_;
    int lampFrame_ = kLampDark;
    int shownLamp_ = 0;
    LevelDib dib_;
    BitmapRef composed_;
    std::unique_ptr<DeviceContext> composedDc_;
    Region clip_;
    bool timerRunning_ = false;
    bool buttonDown_ = false;
    double lastMoveClock_ = -1.0;
};

} // namespace q71
