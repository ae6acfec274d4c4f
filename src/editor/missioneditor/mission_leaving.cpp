#include "editor/missioneditor/mission_leaving.h"

#include "editor/missioneditor/mission_document.h"

namespace q71 {

bool missionMayLeave(const MissionDocument& document, const std::function<LeaveAnswer()>& ask,
                     const std::function<bool()>& save) {
    if (!document.changed)
        return true;
    switch (ask()) {
    case LeaveAnswer::Save:
        return save();
    case LeaveAnswer::Drop:
        return true;
    case LeaveAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace q71
