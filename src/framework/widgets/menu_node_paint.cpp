// How a menu node draws itself: its background, its frame when it is a pop-up, and each item with
// its highlight, tick, separator and submenu arrow.

#include "framework/widgets/bevel.h"
#include "framework/widgets/dialog.h"
#include "framework/widgets/menu_node.h"
#include "platform/gdi/device_context.h"

namespace q71 {
namespace {

constexpr ColorRef kBlack = rgb(0, 0, 0);
constexpr ColorRef kWhite = rgb(255, 255, 255);
constexpr ColorRef kPale = rgb(0xC0, 0xC0, 0xC0);
constexpr ColorRef kGreyed = rgb(0xC8, 0xC8, 0xC8);

struct ItemColours {
    ColorRef text;
    ColorRef shadow;
};

ItemColours itemColours(bool highlighted, bool enabled) {
    if (highlighted)
        return enabled ? ItemColours{kWhite, kPale} : ItemColours{kPale, kWhite};
    return enabled ? ItemColours{kBlack, kWhite} : ItemColours{kGreyed, kBlack};
}

void line(DeviceContext& dc, Point from, Point to) {
    dc.moveTo(from);
    dc.lineTo(to);
}

} // namespace

void MenuNode::paint(DeviceContext& dc) {
    const int width = right_ - x_;
    const int height = bottom_ - y_;
    if (bitmap_)
        Dialog::tileBitmap(dc, bitmap_, width, height);
    else
        dc.fillRect({0, 0, width, height}, brush_);
    if (!title_)
        drawBevelWithColour(dc, bevelColour_, false, 0, 0, width - 1, height - 1, 3, kBevelRaised);
    dc.selectFont(font_);
    dc.setBkMode(kTransparent);
    for (int i = 0; i < itemCount(); ++i)
        paintItem(dc, i, width);
}

void MenuNode::paintItem(DeviceContext& dc, int index, int width) {
    const Item& item = items_[static_cast<std::size_t>(index)];
    const bool lit = index == highlighted_;
    const ItemColours colours = itemColours(lit, item.enabled);
    const int row = index * itemHeight_;
    if (lit) {
        const Rect band{3, row + 5, width - 4, row + itemHeight_ + 2};
        dc.fillRect(band, createSolidBrush(shadeColour(bevelColour_, 2, 3)));
        drawBevelWithColour(dc, bevelColour_, false, band.left, band.top, band.right - 1, band.bottom - 1, 2,
                            kBevelSunken);
    }
    const ColorRef ink = lit ? kWhite : kBlack;
    if (item.checked) {
        const int m = row + itemHeight_ / 2 + 3;
        dc.selectPen(createPen(PenStyle::Solid, 2, ink));
        line(dc, {7, m + 3}, {11, m - 3});
        line(dc, {7, m + 3}, {5, m});
    }
    dc.setTextColor(colours.shadow);
    dc.textOut({13, row + 6}, item.text);
    dc.setTextColor(colours.text);
    dc.textOut({12, row + 6}, item.text);
    if (item.separatorAfter)
        drawBevelWithColour(dc, bevelColour_, false, 3, row + itemHeight_ + 3, width - 4,
                            row + itemHeight_ + 4, 1, kBevelSunken);
    if (item.submenu && !title_) {
        // An arrowhead pointing right: four vertical strokes, shorter towards its tip.
        const int middle = row + itemHeight_ / 2 + 3;
        dc.selectPen(createPen(PenStyle::Solid, 1, ink));
        for (int k = 0; k < 4; ++k) {
            const int x = width - 10 + k;
            line(dc, {x, middle - (3 - k)}, {x, middle + (3 - k) + 1});
        }
    }
}

} // namespace q71
