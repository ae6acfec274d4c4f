#include "framework/app/main_cursor.h"

#include "platform/window/cursors.h"

namespace q71 {
namespace {

CursorHandle mainCursor{};

} // namespace

void appSetMainCursor(CursorHandle cursor) {
    mainCursor = cursor;
}

CursorHandle appMainCursor() {
    return mainCursor != CursorHandle{} ? mainCursor : cursorArrow();
}

} // namespace q71
