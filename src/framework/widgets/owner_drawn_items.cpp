#include "framework/widgets/owner_drawn_items.h"

#include "platform/controls/owner_draw.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/font.h"
#include "platform/gdi/window_dc.h"

#include <algorithm>

namespace q71 {

int fontLineHeight(const std::shared_ptr<const Font>& font) {
    TextMetrics metrics;
    auto dc = createDisplayDC();
    if (!dc)
        return 1;
    dc->selectFont(font);
    return dc->getTextMetrics(metrics) ? std::max(metrics.height, 1) : 1;
}

void answerMeasureItem(LParam measureItem, int itemHeight, int itemWidth) {
    auto* measure = reinterpret_cast<MeasureItemStruct*>(measureItem);
    measure->itemHeight = itemHeight;
    measure->itemWidth = itemWidth;
}

} // namespace q71
