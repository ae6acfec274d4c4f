// Painting a list box: the background in the parent's colours (WM_CTLCOLORLISTBOX), the items
// from the first shown (owner-drawn ones through WM_DRAWITEM with their state, texts drawn
// here otherwise), then the scroll bars.

#include "platform/controls/control_look.h"
#include "platform/controls/list_box_control.h"
#include "platform/controls/owner_draw.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/message_queue.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71 {

void ListBoxControl::paint() {
    layout();
    ControlPaint paint(*this, WM_CTLCOLORLISTBOX);
    DeviceContext& dc = paint.dc();
    if (style_ & WS_BORDER)
        look::sunkenEdge(dc, paint.client());
    ColorRef ink = dc.textColor(), bk = dc.bkColor();
    int bkMode = dc.bkMode();
    int width = std::max(view_.width(), extent_);
    for (int i = items_.top(), y = view_.top; i < items_.count() && y < view_.bottom; ++i) {
        int height = items_.heightOf(i);
        // Each item starts from the same context, whatever the one before did to it.
        dc.selectClipRegion(nullptr);
        dc.intersectClipRect(view_);
        dc.selectFont(font());
        dc.setTextColor(ink);
        dc.setBkColor(bk);
        dc.setBkMode(bkMode);
        paintItem(dc, i, {view_.left - offsetX_, y, view_.left - offsetX_ + width, y + height}, ink);
        y += height;
    }
    dc.selectClipRegion(nullptr);
    bool enabled = windowIsEnabled(window());
    vertical_.paint(dc, enabled);
    horizontal_.paint(dc, enabled);
    if (vertical_.shown() && horizontal_.shown())
        dc.fillRect({vertical_.area().left, horizontal_.area().top, vertical_.area().right,
                     horizontal_.area().bottom},
                    createSolidBrush(look::kFace));
}

void ListBoxControl::paintItem(DeviceContext& dc, int index, const Rect& rect, ColorRef ink) {
    bool selected = index == items_.selection(), enabled = windowIsEnabled(window());
    std::uint32_t state =
        (selected ? ODS_SELECTED : 0) | (selected && focused_ ? ODS_FOCUS : 0) | (enabled ? 0 : ODS_DISABLED);
    if (ownerDrawn()) {
        DrawItemStruct item{controlType(),     reportedId(), index, ODA_DRAWENTIRE,       state,
                            reportedControl(), &dc,          rect,  items_.at(index).data};
        messageSend(notifyTarget(), WM_DRAWITEM, reportedId(), reinterpret_cast<LParam>(&item));
        return;
    }
    if (selected) {
        dc.fillRect(rect, createSolidBrush(enabled ? look::kAmber : look::kFace));
        ink = enabled ? look::kGlass : look::kDimmed;
    } else if (!enabled) {
        ink = look::kDimmed;
    }
    dc.setBkMode(kTransparent);
    dc.setTextColor(ink);
    dc.textOut({rect.left + 2, rect.top + (rect.height() - font()->metrics().height) / 2},
               items_.at(index).text);
    if (state & ODS_FOCUS)
        look::focusFrame(dc, {view_.left, rect.top, view_.right, rect.bottom}, look::kGlass);
}

} // namespace q71
