#pragma once
// The mission's goals box (template 123): the goals as a list with children indented, a new goal,
// the chosen goal deleted with the goals under it, or its fields applied (kind, points, required,
// the goal it stands under, an area's radius and centre, its message). Every change marks the
// document changed at once; the box closes with "Fermer". "Centre sur la carte" closes it to
// have an area's centre clicked on the map: the screen opens it again resumed with the fields as
// they were typed and the clicked centre, applied at once.

#include "editor/missioneditor/goal_form.h"
#include "framework/widgets/dialog.h"

#include <cstdint>
#include <optional>

namespace q71 {

/// An area goal whose centre is to be clicked on the map, with its fields as they were typed.
struct GoalPlacing {
    std::int32_t goalId = 0;
    GoalFormTexts texts;
};

class GoalsDialog : public Dialog {
public:
    static constexpr int kTemplate = 123;
    static constexpr int kList = 1000;
    static constexpr int kFirstEdit = 1001;
    static constexpr int kNew = 1020, kDelete = 1021, kApply = 1022, kPlaceCentre = 1023;
    /// What `show` returns when the box closed for a centre to be clicked.
    static constexpr LResult kPlacingCentre = 3;

    GoalsDialog(WindowHandle owner, MissionDocument& document);
    /// Opens again on a placed goal: its typed fields with the centre given, applied at once
    /// (a field that does not read is named). Nothing when the goal is gone.
    void resume(GoalPlacing placed);
    /// The goal and fields of a box that closed with kPlacingCentre.
    const std::optional<GoalPlacing>& placing() const { return placing_; }

    void onFirstShow() override;
    int onCommand(WParam wParam, LParam lParam) override;

private:
    /// Lists the goals again and chooses one (none: the first).
    void refill(const GoalNode* choose);
    GoalNode* chosen() const;
    void showFields();
    void setFields(const GoalFormTexts& texts);
    GoalFormTexts typedFields() const;
    void apply();
    void placeCentre();

    MissionDocument& document_;
    std::vector<GoalListLine> lines_;
    std::optional<GoalPlacing> resumed_;
    std::optional<GoalPlacing> placing_;
};

} // namespace q71
