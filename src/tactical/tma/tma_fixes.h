#pragma once
// Which fixes of the selected contact the TMA plot shows: the sensor types the operator chose,
// or the type with the most recent fix; of those, the fixes inside the history window and after
// the history start, which also feed the residual strip.

#include "sim/entities/contact_record.h"
#include "sim/entities/types/tma_sources.h"
#include "tactical/tma/tma_state.h"

#include <functional>
#include <vector>

namespace q71 {

/// The sensor types shown for a contact. In most-recent mode, of the types 8, 9, 4, 7, 2, 0, 3, 1
/// and 11 that have fixes, the one with the newest fix (the first on a tie); a passive sonar type
/// brings all four (2, 0, 3, 1); `sonarSources` tells whether it did, and the chosen type's flag is set.
std::vector<int> tmaShownTypes(const ContactRecord& contact, TmaSources& sources, bool& sonarSources);

/// Walks the shown fixes of each type, newest first: those not older than the window and after the
/// history start. Each is handed to `visit` and, while fewer than 240 are kept, kept as a residual;
/// the earliest and latest times follow. The state's residuals start empty.
void tmaCollectFixes(TmaState& state, const ContactRecord& contact, const std::vector<int>& types,
                     double gameClock, int historyWindow,
                     const std::function<void(int type, const ContactFix& fix)>& visit);

} // namespace q71
