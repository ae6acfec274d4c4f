#pragma once
// What the widgets that draw the items of standard lists share.

#include "platform/window/window_types.h"

#include <memory>

namespace q71 {

class Font;

/// The line height of a font (null: the system font) on the screen; at least 1.
int fontLineHeight(const std::shared_ptr<const Font>& font);
/// Answers WM_MEASUREITEM (its lParam) with one height and width for every item.
void answerMeasureItem(LParam measureItem, int itemHeight, int itemWidth);

} // namespace q71
