#pragma once
// Device contexts: the drawing state (pen, brush, font, colours, modes, position, clip region)
// over a target, which is either the bitmap selected into a memory context or the screen seen
// through a window. Coordinates are the context's own: (0, 0) is the bitmap's or the client
// area's top-left corner. Numeric codes of modes, alignments and results are the window system's.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/clip_list.h"
#include "platform/gdi/drawing_target.h"
#include "platform/gdi/pen_brush.h"
#include "platform/gdi/span_painter.h"
#include "platform/gdi/text_format.h"

#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace q71 {

class Font;
using FontRef = std::shared_ptr<const Font>;

/// Background modes.
constexpr int kTransparent = 1;
constexpr int kOpaque = 2;
/// Kinds of region a clipping call reports.
constexpr int kRegionError = 0;
constexpr int kNullRegion = 1;
constexpr int kSimpleRegion = 2;
constexpr int kComplexRegion = 3;
/// The colour a failed pixel read returns.
constexpr ColorRef kInvalidColor = 0xFFFFFFFFu;

struct TextMetrics;
/// A width and a height in pixels.
struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

class DeviceContext {
public:
    /// A memory context with no bitmap selected: it draws nothing until one is.
    static std::unique_ptr<DeviceContext> createMemory();
    /// A context over a window or screen target.
    static std::unique_ptr<DeviceContext> createForTarget(std::unique_ptr<DrawingTarget> target);

    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;
    ~DeviceContext();

    // Objects. Each select returns what was selected before.
    /// Selects a copy of the pen.
    Pen selectPen(const Pen& pen);
    /// Selects a copy of the brush.
    Brush selectBrush(const Brush& brush);
    /// A null font selects the system font.
    FontRef selectFont(FontRef font);
    /// Memory contexts only (others return null and keep their target).
    BitmapRef selectBitmap(BitmapRef bitmap);
    /// The selected pen.
    const Pen& pen() const { return pen_; }
    /// The selected brush.
    const Brush& brush() const { return brush_; }
    /// The selected font (the system font when none was selected).
    FontRef font() const;
    /// The bitmap selected into a memory context (null for other contexts).
    const BitmapRef& bitmap() const { return bitmap_; }
    /// True for a memory context.
    bool isMemory() const { return !target_; }

    // Colours and modes. Each setter returns the previous value.
    /// The colour of text.
    ColorRef setTextColor(ColorRef colour);
    /// The colour of text backgrounds, hatch gaps and dash gaps.
    ColorRef setBkColor(ColorRef colour);
    /// kOpaque or kTransparent (0 and no change for any other value).
    int setBkMode(int mode);
    /// Where textOut's point lies on the text (kTa flags).
    unsigned setTextAlign(unsigned align);
    /// How pens and brushes meet the picture (0 and no change outside 1..16).
    int setRop2(int rop2);
    /// Where patterns and hatches start, in context coordinates.
    Point setBrushOrigin(Point origin);
    /// The current values of the settings above.
    ColorRef textColor() const { return textColour_; }
    ColorRef bkColor() const { return bkColour_; }
    int bkMode() const { return bkMode_; }
    unsigned textAlign() const { return textAlign_; }
    int rop2() const { return rop2_; }

    // Clipping, in context coordinates.
    /// Selects a copy of the region as the clip region (null removes it); returns its kind.
    int selectClipRegion(const Region* region);
    /// A copy of the clip region; none while no region narrows the target.
    std::optional<Region> getClipRegion() const { return clip_; }
    /// Narrows the clip region to the rectangle; returns the resulting kind.
    int intersectClipRect(const Rect& rect);
    /// Removes the rectangle from the clip region; returns the resulting kind.
    int excludeClipRect(const Rect& rect);
    /// The bounding box of what can be drawn (clip region within the target), and its kind.
    int getClipBox(Rect& box);

    // Lines and shapes.
    /// Makes the point current; returns the previous current position.
    Point moveTo(Point to);
    /// The current position.
    Point currentPosition() const { return position_; }
    /// A line from the current position to the point, which is not drawn and becomes current.
    bool lineTo(Point to);
    /// Lines through the points; the last point is not drawn; the current position is kept.
    bool polyline(std::span<const Point> points);
    /// Outline with the pen, inside filled with the brush (one pixel smaller without a pen).
    bool rectangle(const Rect& rect);
    /// The ellipse inscribed in the box, outlined and filled as a rectangle is.
    bool ellipse(const Rect& box);
    /// The closed polygon, filled with the brush under the fill mode and outlined with the pen.
    bool polygon(std::span<const Point> points, PolygonFillMode mode = PolygonFillMode::Alternate);
    /// The part of the box's ellipse counterclockwise from the radial through `start` to the radial
    /// through `end` (the whole ellipse when they coincide).
    bool arc(const Rect& box, Point start, Point end);
    /// Fills the rectangle's pixels with the brush (no pen, no raster operation).
    void fillRect(const Rect& rect, const Brush& brush);
    /// A one-pixel frame along the inside of the rectangle, in the brush.
    void frameRect(const Rect& rect, const Brush& brush);
    /// Inverts the rectangle's pixels.
    void invertRect(const Rect& rect);
    /// Fills the region with the brush.
    void fillRegion(const Region& region, const Brush& brush);
    /// Sets a pixel; returns the colour actually set, or kInvalidColor when it lies outside.
    ColorRef setPixel(Point at, ColorRef colour);
    /// The colour of a pixel, or kInvalidColor outside the target or the clip region.
    ColorRef getPixel(Point at);

    // Text (see text.cpp). Strings are Windows-1252 bytes.
    /// Text at a point placed by the text alignment, over its cell in the background colour when opaque.
    bool textOut(Point at, std::string_view text);
    /// Options: 2 fills `rect` with the background colour first, 4 clips the text to it.
    bool extTextOut(Point at, unsigned options, const Rect* rect, std::string_view text);
    /// Lays out and draws text in a rectangle; returns the text height (see draw_text.cpp).
    int drawText(std::string_view text, Rect& rect, unsigned format);
    /// Text with tabs expanded at the given stops; returns (height << 16) | width.
    long tabbedTextOut(Point at, std::string_view text, std::span<const int> tabStops, int tabOrigin);
    /// Width and height of the text in the selected font.
    Size getTextExtent(std::string_view text);
    /// (height << 16) | width of text with tabs expanded as tabbedTextOut does.
    unsigned long getTabbedTextExtent(std::string_view text, std::span<const int> tabStops);
    /// The selected font's metrics; false when no font can be had.
    bool getTextMetrics(TextMetrics& metrics);

    /// The surface, its offset and clip as they stand now; null when nothing can be drawn.
    /// Blits and text use it; most code has no need of it. Valid until the next call.
    struct Resolved {
        PixelSurface surface;
        Point origin;
        ClipList clip;
        /// The bounds of what the target shows, before the clip region narrows it.
        Rect sides;
    };
    const Resolved* resolve();
    /// Tells the target that pixels changed.
    void notifyDrawn();
    /// Fill source for the brush at the current modes; false for a null brush.
    bool brushFill(const Brush& brush, const PixelSurface& surface, Point origin, FillSource& fill,
                   std::vector<std::uint32_t>& patternStore) const;

private:
    DeviceContext() = default;
    void clipChanged() { ++clipVersion_; }
    int clipKind();
    void strokePath(std::span<const Point> points, bool closed);
    /// Fills rectangles with the brush, or with the pen's colour, at the current raster operation.
    void fillParts(std::span<const Rect> parts, bool withBrush);

    std::unique_ptr<DrawingTarget> target_;
    BitmapRef bitmap_;

    Pen pen_ = stockPen(StockObject::BlackPen);
    Brush brush_ = stockBrush(StockObject::WhiteBrush);
    FontRef font_;
    ColorRef textColour_ = 0;
    ColorRef bkColour_ = rgb(255, 255, 255);
    int bkMode_ = kOpaque;
    unsigned textAlign_ = 0;
    int rop2_ = kRop2CopyPen;
    Point position_;
    Point brushOrigin_;
    std::optional<Region> clip_;

    std::uint64_t clipVersion_ = 1;
    std::uint64_t resolvedVersion_ = 0;
    std::uint64_t resolvedGeneration_ = 0;
    bool resolvedValid_ = false;
    Resolved resolved_;
};

} // namespace q71
