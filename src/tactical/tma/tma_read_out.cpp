#include "tactical/tma/tma_read_out.h"

namespace q71 {

TmaReadOut::TmaReadOut(WindowHandle parentWindow, int controlId, int x, int y, int digitCount)
    : LargeReadOut(parentWindow, controlId, x, y, digitCount, true, false) {
    setName("TmaReadOut");
}

void TmaReadOut::onTick() {
    const int typed = getValue();
    auto alive = watch();
    LargeReadOut::onTick();
    if (alive.expired())
        return;
    if (typed != committed_) {
        committed_ = typed;
        invalidate(nullptr, true);
    }
}

} // namespace q71
