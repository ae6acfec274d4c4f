#include "tactical/tma/tma_state.h"

#include "sim/entities/types/tma_sources.h"

namespace q71 {

TmaState& tmaState() {
    static TmaState state;
    return state;
}

void tmaResetState(double gameClock, int historyWindow) {
    TmaState& state = tmaState();
    state = TmaState{};
    // Half the window back, as the station always started.
    state.historyStart = gameClock - historyWindow * kTmaHistoryUnit / 2.0;
}

} // namespace q71
