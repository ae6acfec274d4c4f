#pragma once
// The widget every two-dimensional map is drawn on: a terrain grid shown as an image coloured by
// elevation bands, with shaded relief and ordered dithering, that pans and zooms (animated on
// timer 1969 of its own window), and the chart symbols on it. Positions are grid coordinates:
// fractional column x and row y, rows growing southwards and down the screen. The view never
// owns its grid: whoever frees the grid first clears it with setMapSource(nullptr).
//
// Drawing: the 8-bit image (top-down DIB) is kept between paints and only rebuilt when the
// scale, colours, shading or size change; a pan moves its pixels and renders the strips that
// scroll in. Each paint copies it into a back buffer, adds the overlay and the symbols there and
// copies the result to the window. Derived charts override the hooks and the view operations.

#include "framework/widgets/base_widget.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"
#include "tactical/charts/chart_palette.h"
#include "tactical/charts/chart_relief.h"

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace q71 {

struct DemGrid;
class ChartSymbol;

/// The mapping between grid points and image pixels.
struct ChartTransform {
    double unitsX = 1.0;  ///< grid columns per pixel
    double unitsY = 1.0;  ///< grid rows per pixel
    double originX = 0.0; ///< grid point of pixel (0, 0)
    double originY = 0.0;
    double snappedX = 0.0; ///< the centre moved onto the lattice of whole blocks
    double snappedY = 0.0;
    int stride = 0;       ///< bytes per image row
    double extentX = 1.0; ///< grid columns across the image
    double extentY = 1.0;

    /// The pixel showing a grid point (rounded half away from zero).
    Point toPixel(double gx, double gy) const;
    /// The grid point a pixel shows.
    void toGrid(double px, double py, double* gx, double* gy) const;
};

class ChartView : public BaseWidget {
public:
    /// Animation timer of the view's window.
    static constexpr std::uintptr_t kAnimationTimer = 1969;
    static constexpr std::uint32_t kAnimationMs = 40;

    /// A windowed chart in `parentWindow` on `grid` (none: an empty chart), coloured by `bands`
    /// (empty: the default 24 bands).
    ChartView(WindowHandle parentWindow, int x, int y, int width, int height, const DemGrid* grid,
              std::span<const ChartBand> bands = {});
    ~ChartView() override;
    ChartView(const ChartView&) = delete;
    ChartView& operator=(const ChartView&) = delete;

    // Hooks and view operations that derived charts replace.
    /// Draws over the terrain in the back buffer, before the symbols; nothing here.
    virtual void drawOverlay(DeviceContext& backBuffer);
    /// Draws on the window after the back buffer was copied there; nothing here.
    virtual void drawOnScreen(DeviceContext& window);
    /// Shows another grid (null: none) as a whole.
    virtual void setMapSource(const DemGrid* grid);
    virtual void panXMinus();
    virtual void panXPlus();
    virtual void panYMinus();
    virtual void panYPlus();
    /// Zooms in by the zoom factor.
    virtual void scaleUp();
    /// Zooms out by the zoom factor (nothing when the factor is not positive).
    virtual void scaleDown();
    /// Centres on the grid point under a client point, or under the pointer when none is given,
    /// when it lies in the chart.
    virtual void centreAtPoint(std::optional<Point> point);

    // Set-up.
    /// Installs a band table (empty: the default one); the shade count is clamped against it.
    void setColourTable(std::span<const ChartBand> bands);
    /// Shades per band, clamped so that the palette keeps within 250 entries, and to 1..32.
    void setShades(int shades);
    void setShadeRamp(const ChartShadeRamp& ramp);
    /// Shades and the ramp of chartShadeRamp with those amplitudes.
    void setShadeColours(int shades, int red, int green, int blue);
    void setDither(bool on);
    /// The base cell size (1..16): the pixel size of one rendered block.
    void setCellSize(int size);
    /// Cell size added while a zoom animates (0: none).
    void setZoomCellIncrease(int increase) { zoomCellIncrease_ = increase; }
    void setReliefStep(int step);
    void setLightAzimuth(double degrees);
    /// The light from a direction key: 4 north, 1 north-east, 7 east, 3 south-east, 5 south,
    /// 2 south-west, 6 west, 0 north-west; an unknown key gives north.
    void setLightDirection(int key);
    void setScaleLimits(double minimum, double maximum);
    /// Fraction of the view that may lie outside a grid that does not wrap, on each side.
    void setMargins(double x, double y);
    void setDefaultSteps(int steps) { defaultSteps_ = steps; }
    void setZoomFactor(double factor);
    void setPanStep(double fraction);
    /// Every view change keeps this centre until unpinned.
    void pinCentre(double x, double y);
    void unpinCentre() { pinned_ = false; }

    // The view.
    /// Moves to a centre and scale (km across the longer side) in `steps` animation steps.
    void setView(double x, double y, double scale, int steps);
    /// Moves at once, without animation.
    void centreOn(double x, double y, double scale);
    /// Moves by fractions of the view's extent.
    void panBy(double fx, double fy, int steps);
    void showWholeMap(int steps);
    /// Drops the image, and the palette when asked, and repaints.
    void invalidateImage(bool withPalette);

    ChartTransform getTransform() const;
    const DemGrid* grid() const { return grid_; }
    double centreX() const { return centreX_; }
    double centreY() const { return centreY_; }
    double scale() const { return scale_; }
    double pendingX() const { return pendingX_; }
    double pendingY() const { return pendingY_; }
    double pendingScale() const { return pendingScale_; }
    int cellSize() const { return cellSize_; }
    int baseCellSize() const { return baseCellSize_; }
    int shades() const { return shades_; }
    int defaultSteps() const { return defaultSteps_; }
    double zoomFactor() const { return zoomFactor_; }
    bool animating() const { return stepsLeft_ >= 1; }
    int imageWidth() const { return imageWidth_; }
    int imageHeight() const { return imageHeight_; }
    std::span<const ChartBand> bands() const { return bands_; }
    /// The terrain image (null until the first paint and after it was dropped).
    const Bitmap* image() const { return image_.get(); }
    /// The back buffer as last composed (null before the first paint).
    const Bitmap* backBuffer() const { return backBuffer_.get(); }
    /// True when the view has a grid it can draw (at least 2 x 2 samples, a positive extent).
    bool hasGrid() const;

    // Called by the symbols (ChartSymbol::attach, detach, moveTo), not by users.
    bool addSymbol(ChartSymbol* symbol);
    void removeSymbol(ChartSymbol* symbol);
    void symbolChanged(ChartSymbol* symbol);

    void paint(PaintRecord& paint) override;
    /// Any timer of the view's window is the animation.
    void onTimer(std::uintptr_t id) override;
    void onLeftDown(int x, int y) override;
    void setState(int value) override;
    void onVScroll(WParam, LParam) override {}
    void onRightDown(int, int) override {}
    void onRightUp(int, int) override {}
    void loadResources() override { loadGraphics(); }
    void freeResources() override { freeGraphics(); }
    /// Builds the relief and the back buffer now.
    virtual void loadGraphics();
    /// Frees the image and the relief; the next paint shows black once and rebuilds.
    virtual void freeGraphics();

protected:
    /// Composes image, overlay and symbols and copies them to the window context.
    void drawImage(DeviceContext& window);
    /// Composes to the window now, when the image exists and the window is shown.
    void composeNow();
    /// Clamps a view to the limits, the margins and the grid's wrap.
    void clampView(double& x, double& y, double& scale) const;
    /// Grid columns and rows across the image at a scale.
    void viewExtent(double scale, double& extentX, double& extentY) const;
    /// Renders the image's blocks within a pixel rectangle.
    void renderImage(int x, int y, int w, int h);

private:
    struct Lattice {
        double blockX = 1.0; ///< grid units per block
        double blockY = 1.0;
        long long kx = 0; ///< snapped centre = k x block
        long long ky = 0;
    };
    Lattice lattice() const;
    /// The image's size for the window's client area (one pixel more each way); false without a window.
    bool windowImageSize(int& w, int& h) const;
    void applyShadeClamp(int shades);
    void ensureRelief();
    void ensureBackBuffer();
    void rebuildImage();
    /// Brings the view from the old lattice to the current one by scrolling or rendering.
    void updateImage(const Lattice& before, double oldScale, int oldCell);
    void drawSymbols(DeviceContext& dc);
    struct Copies;
    bool symbolCopies(const ChartSymbol& symbol, const ChartTransform& t, Copies& copies) const;
    void invalidateSymbol(const ChartSymbol& symbol);
    void stopAnimation();

    // View.
    double centreX_ = 0.0;
    double centreY_ = 0.0;
    double scale_ = 1.0;
    int cellSize_ = 1;
    int imageWidth_ = 100;
    int imageHeight_ = 100;
    // Pending view and animation.
    double pendingX_ = 0.0;
    double pendingY_ = 0.0;
    double pendingScale_ = 1.0;
    int baseCellSize_ = 1;
    int zoomCellIncrease_ = 1;
    bool timerActive_ = false;
    int stepsLeft_ = 0;
    int defaultSteps_ = 0;
    double approach_ = 0.55;
    // Limits.
    double minScale_ = 1.0;
    double maxScale_ = 10816.0;
    double marginX_ = 0.0;
    double marginY_ = 0.0;
    bool pinned_ = false;
    double pinnedX_ = 0.0;
    double pinnedY_ = 0.0;
    double zoomFactor_ = 0.5;
    double panStep_ = 0.2;
    // Colours and shading.
    std::vector<ChartBand> bands_;
    int shades_ = 9;
    bool dither_ = true;
    int ditherX_ = 0;
    int ditherY_ = 0;
    ChartShadeRamp ramp_;
    ReliefLight light_;
    ChartRelief relief_;
    ChartShadeMaps shadeMaps_;
    // Graphics.
    std::unique_ptr<DeviceContext> memoryDc_;
    BitmapRef backBuffer_;
    BitmapRef image_;
    std::vector<std::uint8_t> imageInfo_;
    bool stale_ = false;
    // Symbols, newest first.
    std::vector<ChartSymbol*> symbols_;
    const DemGrid* grid_ = nullptr;
};

} // namespace q71
