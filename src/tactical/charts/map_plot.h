#pragma once
// The interactive chart: a ChartView driven by mouse and keys, with a scale bar, dotted grid
// lines, a latitude and longitude readout of the pointer and a range-and-bearing measurement
// (a line and a range circle) dragged out with the left button. A click re-centres, a press
// moved beyond the threshold measures, dragging past the edge scrolls every 10 ms, and with
// Control held the buttons zoom. The text operations are virtual so that derived charts can
// word them in their own units.

#include "platform/gdi/font.h"
#include "tactical/charts/chart_view.h"

#include <string>

namespace q71 {

class MapPlot : public ChartView {
public:
    /// Scroll timer of a drag past the edge, and the one-shot repaint timer.
    static constexpr std::uintptr_t kAutoScrollTimer = 0x4242;
    static constexpr std::uintptr_t kRepaintTimer = 0x7890;

    MapPlot(WindowHandle parentWindow, int x, int y, int width, int height, const DemGrid* grid,
            std::span<const ChartBand> bands = {});
    ~MapPlot() override;

    // Texts and drawing that derived charts replace.
    /// The scale bar for `kmPerPixel` within `maxPixels`: its length and label; false for none.
    virtual bool scaleBarLabel(double kmPerPixel, int maxPixels, int* length, std::string* label);
    /// The same bar's length in pixels, unrounded (the grid lines' spacing).
    virtual bool scaleBarLength(double kmPerPixel, int maxPixels, double* length);
    /// The range (km) and bearing (degrees) as texts; false for a range of 0 or less.
    virtual bool formatRangeBearing(double rangeKm, double bearing, std::string* range,
                                    std::string* bearingText);
    /// The latitude and longitude of a grid point as two lines; false when it has none.
    virtual bool formatLatLong(double gx, double gy, std::string* text);
    virtual void drawScaleBar(DeviceContext& dc, int length, const std::string& label, ColorRef colour,
                              int dx, int dy);
    virtual void drawGridLines(DeviceContext& dc, double spacing, ColorRef colour, int dx, int dy);
    virtual void drawRangeLine(DeviceContext& dc, double startX, double startY, double endX, double endY,
                               Point start, Point end);
    virtual void drawTwoLineText(DeviceContext& dc, const std::string& upper, const std::string& lower,
                                 ColorRef colour, int dx, int dy);
    /// Right-aligned at the top (the pointer readout).
    virtual void drawText(DeviceContext& dc, const std::string& text, ColorRef colour, int dx, int dy);

    void drawOverlay(DeviceContext& backBuffer) override;
    void onTimer(std::uintptr_t id) override;
    void onLeftDown(int x, int y) override;
    void onLeftUp(int x, int y) override;
    void onMouseMove(int x, int y) override;
    void onSetCursor() override;
    /// Non-zero when a binding took the character.
    int onChar(int character) override;
    void onRightDown(int x, int y) override;
    int onKeyDown(std::uint32_t key, LParam lParam) override;
    int onKeyUp(std::uint32_t key, LParam lParam) override;

    /// Character bindings: each character of the text (either case) triggers the action.
    struct Characters {
        std::string zoomIn = "+=";
        std::string zoomOut = "-_";
        std::string panXMinus, panXPlus, panYMinus, panYPlus;
        std::string centre = "Nn";
        std::string scaleBar = "Ss";
        std::string gridLines = "Gg";
        std::string measure = "Rr";
        std::string readout = "Xx";
    };
    Characters& characters() { return characters_; }

    void showScaleBar(bool on);
    void showGridLines(bool on);
    void latchReadout(bool on);
    void enableMeasurement(bool on) { measureEnabled_ = on; }
    void setShadowOffset(int dx, int dy) {
        shadowX_ = dx;
        shadowY_ = dy;
    }
    /// One font for the scale bar, the measurement and the readout (null: the stock font).
    void setFonts(FontRef font);
    void setZoomCursor(CursorHandle cursor) { zoomCursor_ = cursor; }
    bool scaleBarShown() const { return scaleBarShown_; }
    bool gridLinesShown() const { return gridShown_; }
    bool readoutLatched() const { return readoutLatched_; }
    bool zoomClickMode() const { return zoomMode_; }
    /// 0 idle, 1 pressed or started, 2 measuring.
    int dragState() const { return dragState_; }
    void measurement(double* startX, double* startY, double* endX, double* endY) const;

protected:
    /// Starts a measurement at a client point (none: ends any), capturing the mouse when asked.
    void startMeasure(std::optional<Point> point, bool capture);
    /// The measurement's end follows the point (none: hidden); past the edge the view scrolls.
    void dragStep(std::optional<Point> point, bool autoScroll);
    void stopDrag();
    /// Repaints the whole chart in 10 ms (once, however often asked).
    void scheduleRepaint();
    /// Takes the pointer's grid position from the cursor.
    void refreshPointer();
    void zoomAt(Point point, double factor);

    // Scale bar.
    bool scaleBarShown_ = true;
    FontRef scaleBarFont_;
    ColorRef scaleBarColour_ = 0xFFFFFF;
    ColorRef scaleBarShadow_ = 0x000000;
    // Grid lines.
    bool gridShown_ = false;
    ColorRef gridColour_ = 0x80A8A8;
    ColorRef gridShadow_ = 0x000000;
    // Measurement.
    bool measureEnabled_ = true;
    bool drawLine_ = true;
    bool drawCircle_ = true;
    FontRef measureFont_;
    ColorRef lineColour_ = 0xFFFFC4;
    ColorRef measureTextColour_ = 0xFFFFD6;
    ColorRef measureShadow_ = 0x000000;
    // Clicks.
    bool clickDetect_ = true;
    int dragThreshold_ = 8;
    // Pointer readout.
    bool readoutLatched_ = false;
    bool readoutHeld_ = false;
    bool readoutEnabled_ = true;
    std::uint32_t readoutKey_ = 16;
    FontRef readoutFont_;
    ColorRef readoutColour_ = 0xFFFFD6;
    ColorRef readoutShadow_ = 0x000000;
    // Key commands.
    bool keyCommands_ = true;
    std::uint32_t zoomInKey_ = 0;
    std::uint32_t zoomOutKey_ = 0;
    std::uint32_t panXMinusKey_ = 37;
    std::uint32_t panXPlusKey_ = 39;
    std::uint32_t panYMinusKey_ = 38;
    std::uint32_t panYPlusKey_ = 40;
    std::uint32_t centreKey_ = 0;
    Characters characters_;
    bool scaleBarToggle_ = true;
    bool gridToggle_ = true;
    bool measureToggle_ = true;
    // Zoom-click mode.
    bool zoomClickEnabled_ = true;
    std::uint32_t zoomKey_ = 17;
    CursorHandle zoomCursor_{};
    bool hideBarWhileMeasuring_ = true;
    int shadowX_ = 1;
    int shadowY_ = 1;

private:
    double startX_ = 0.0, startY_ = 0.0, endX_ = 0.0, endY_ = 0.0;
    int dragState_ = 0;
    bool captured_ = false;
    bool autoScrolling_ = false;
    bool repaintPending_ = false;
    Point lastDrag_;
    Point press_;
    bool pressed_ = false;
    bool dragStarted_ = false;
    double pointerX_ = 0.0, pointerY_ = 0.0;
    bool pointerValid_ = false;
    bool zoomMode_ = false;
};

} // namespace q71
