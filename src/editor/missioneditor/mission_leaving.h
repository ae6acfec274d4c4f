#pragma once
// Leaving a mission in the editor (a new one, another opened, the editor closed): a changed
// mission is asked about first, and a save that fails keeps the player where he was.

#include <functional>

namespace q71 {

class MissionDocument;

enum class LeaveAnswer { Save, Drop, Cancel };

/// True when the document may be left: it is unchanged, or the player drops it, or it was saved
/// (`save` true). `ask` is asked only for a changed document.
bool missionMayLeave(const MissionDocument& document, const std::function<LeaveAnswer()>& ask,
                     const std::function<bool()>& save);

} // namespace q71
