#include "platform/gdi/device_context.h"

#include "platform/gdi/font.h"

#include <utility>

namespace q71 {

std::unique_ptr<DeviceContext> DeviceContext::createMemory() {
    return std::unique_ptr<DeviceContext>(new DeviceContext);
}

std::unique_ptr<DeviceContext> DeviceContext::createForTarget(std::unique_ptr<DrawingTarget> target) {
    auto dc = std::unique_ptr<DeviceContext>(new DeviceContext);
    dc->target_ = std::move(target);
    return dc;
}

DeviceContext::~DeviceContext() = default;

Pen DeviceContext::selectPen(const Pen& pen) {
    return std::exchange(pen_, pen);
}
Brush DeviceContext::selectBrush(const Brush& brush) {
    return std::exchange(brush_, brush);
}
FontRef DeviceContext::selectFont(FontRef font) {
    FontRef previous = this->font();
    font_ = std::move(font);
    return previous;
}
FontRef DeviceContext::font() const {
    return font_ ? font_ : stockFont(StockObject::SystemFont);
}

BitmapRef DeviceContext::selectBitmap(BitmapRef bitmap) {
    if (target_)
        return nullptr;
    clipChanged();
    return std::exchange(bitmap_, std::move(bitmap));
}

ColorRef DeviceContext::setTextColor(ColorRef colour) {
    return std::exchange(textColour_, colour & 0x00FFFFFF);
}
ColorRef DeviceContext::setBkColor(ColorRef colour) {
    return std::exchange(bkColour_, colour & 0x00FFFFFF);
}
int DeviceContext::setBkMode(int mode) {
    if (mode != kTransparent && mode != kOpaque)
        return 0;
    return std::exchange(bkMode_, mode);
}
unsigned DeviceContext::setTextAlign(unsigned align) {
    return std::exchange(textAlign_, align);
}
int DeviceContext::setRop2(int rop2) {
    if (rop2 < kRop2Black || rop2 > kRop2White)
        return 0;
    return std::exchange(rop2_, rop2);
}
Point DeviceContext::setBrushOrigin(Point origin) {
    return std::exchange(brushOrigin_, origin);
}

int DeviceContext::clipKind() {
    Rect box;
    return getClipBox(box);
}

int DeviceContext::selectClipRegion(const Region* region) {
    if (region)
        clip_ = *region;
    else
        clip_.reset();
    clipChanged();
    return clipKind();
}

int DeviceContext::intersectClipRect(const Rect& rect) {
    Region r(rect);
    clip_ = clip_ ? clip_->intersected(r) : r;
    clipChanged();
    return clipKind();
}

int DeviceContext::excludeClipRect(const Rect& rect) {
    const Resolved* now = resolve();
    // Without a clip region the whole target is the starting point.
    Region base = clip_
                      ? *clip_
                      : Region(now ? now->surface.bounds().offsetBy(-now->origin.x, -now->origin.y) : Rect{});
    clip_ = base.subtracted(Region(rect));
    clipChanged();
    return clipKind();
}

int DeviceContext::getClipBox(Rect& box) {
    const Resolved* now = resolve();
    if (!now || now->clip.isEmpty()) {
        box = {};
        return kNullRegion;
    }
    box = now->clip.bounds().offsetBy(-now->origin.x, -now->origin.y);
    return now->clip.rects().size() == 1 ? kSimpleRegion : kComplexRegion;
}

const DeviceContext::Resolved* DeviceContext::resolve() {
    std::uint64_t generation = target_ ? target_->generation() : 0;
    if (resolvedVersion_ == clipVersion_ && resolvedGeneration_ == generation)
        return resolvedValid_ ? &resolved_ : nullptr;
    resolvedVersion_ = clipVersion_;
    resolvedGeneration_ = generation;
    resolvedValid_ = false;
    Region visible;
    if (target_) {
        if (!target_->resolve(resolved_.surface, resolved_.origin, visible))
            return nullptr;
    } else {
        if (!bitmap_)
            return nullptr;
        resolved_.surface = bitmap_->surface();
        resolved_.origin = {};
        visible = Region(resolved_.surface.bounds());
    }
    visible = visible.intersected(Region(resolved_.surface.bounds()));
    resolved_.sides = visible.boundingBox();
    if (clip_)
        visible = visible.intersected(clip_->offsetBy(resolved_.origin.x, resolved_.origin.y));
    resolved_.clip = ClipList(visible);
    resolvedValid_ = true;
    return &resolved_;
}

void DeviceContext::notifyDrawn() {
    if (target_)
        target_->drawn();
}

bool DeviceContext::brushFill(const Brush& brush, const PixelSurface& surface, Point origin, FillSource& fill,
                              std::vector<std::uint32_t>& patternStore) const {
    fill = FillSource{};
    fill.rop2 = rop2_;
    switch (brush.style) {
    case BrushStyle::Null:
        return false;
    case BrushStyle::Solid:
        fill.solid = surface.encode(brush.colour);
        return true;
    case BrushStyle::Hatched: {
        std::uint32_t line = surface.encode(brush.colour);
        std::uint32_t gap = bkMode_ == kOpaque ? surface.encode(bkColour_) : kTransparentPixel;
        patternStore.resize(64);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                patternStore[static_cast<size_t>(y * 8 + x)] = hatchCovers(brush.hatch, x, y) ? line : gap;
        fill.patternWidth = fill.patternHeight = 8;
        break;
    }
    case BrushStyle::Pattern:
        if (!brush.pattern || brush.pattern->width <= 0 || brush.pattern->height <= 0)
            return false;
        patternStore.clear();
        for (ColorRef c : brush.pattern->colours)
            patternStore.push_back(surface.encode(c));
        fill.patternWidth = brush.pattern->width;
        fill.patternHeight = brush.pattern->height;
        break;
    }
    fill.pattern = &patternStore;
    fill.patternOrigin = {origin.x + brushOrigin_.x, origin.y + brushOrigin_.y};
    return true;
}

void DeviceContext::fillRegion(const Region& region, const Brush& brush) {
    const Resolved* now = resolve();
    FillSource fill;
    std::vector<std::uint32_t> pattern;
    if (!now || !brushFill(brush, now->surface, now->origin, fill, pattern))
        return;
    fill.rop2 = kRop2CopyPen;
    SpanPainter painter(now->surface, now->clip, now->origin);
    for (const Rect& r : region.rects())
        painter.fillRect(r, fill);
    notifyDrawn();
}

void DeviceContext::fillRect(const Rect& rect, const Brush& brush) {
    if (!rect.isEmpty())
        fillRegion(Region(rect), brush);
}

void DeviceContext::frameRect(const Rect& rect, const Brush& brush) {
    if (rect.isEmpty())
        return;
    Region outline = Region(rect).subtracted(Region(rect.inflatedBy(-1, -1)));
    fillRegion(outline, brush);
}

void DeviceContext::invertRect(const Rect& rect) {
    const Resolved* now = resolve();
    if (!now || rect.isEmpty())
        return;
    FillSource fill;
    fill.rop2 = kRop2Not;
    SpanPainter(now->surface, now->clip, now->origin).fillRect(rect.normalized(), fill);
    notifyDrawn();
}

ColorRef DeviceContext::setPixel(Point at, ColorRef colour) {
    const Resolved* now = resolve();
    if (!now || !now->clip.contains(at.x + now->origin.x, at.y + now->origin.y))
        return kInvalidColor;
    std::uint32_t pixel = now->surface.encode(colour & 0x00FFFFFF);
    now->surface.write(at.x + now->origin.x, at.y + now->origin.y, pixel);
    notifyDrawn();
    return now->surface.decode(pixel);
}

ColorRef DeviceContext::getPixel(Point at) {
    const Resolved* now = resolve();
    if (!now || !now->clip.contains(at.x + now->origin.x, at.y + now->origin.y))
        return kInvalidColor;
    return now->surface.decode(now->surface.read(at.x + now->origin.x, at.y + now->origin.y));
}

} // namespace q71
