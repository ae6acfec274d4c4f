#pragma once
// The mission's goals box (template 123): the goals as a list with children indented, a new goal,
// the chosen goal deleted with the goals under it, or its fields applied (kind, points, required,
// the goal it stands under, an area's radius and centre, its message). Every change marks the
// document changed at once; the box closes with "Fermer".

#include "editor/missioneditor/goal_form.h"
#include "framework/widgets/dialog.h"

namespace q71 {

class GoalsDialog : public Dialog {
public:
    static constexpr int kTemplate = 123;
    static constexpr int kList = 1000;
    static constexpr int kFirstEdit = 1001;
    static constexpr int kNew = 1020, kDelete = 1021, kApply = 1022;

    GoalsDialog(WindowHandle owner, MissionDocument& document);
    void onFirstShow() override;
    int onCommand(WParam wParam, LParam lParam) override;

private:
    /// Lists the goals again and chooses one (none: the first).
    void refill(const GoalNode* choose);
    GoalNode* chosen() const;
    void showFields();
    void apply();

    MissionDocument& document_;
    std::vector<GoalListLine> lines_;
};

} // namespace q71
