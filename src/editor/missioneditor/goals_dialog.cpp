#include "editor/missioneditor/goals_dialog.h"

#include "editor/missioneditor/editor_layout.h"
#include "editor/missioneditor/mission_document.h"
#include "framework/textmngr/text_manager.h"
#include "platform/controls/control_messages.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/msgbox/message_box.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"

#include <array>

namespace q71 {
namespace {

constexpr int kTextBadField = 2635;
constexpr int kTextCaption = 2629;
constexpr int kTextNotAnArea = 2638;
constexpr int kFirstLabel = 1100;
constexpr std::int32_t kNewGoalPoints = 100;

} // namespace

GoalsDialog::GoalsDialog(WindowHandle owner, MissionDocument& document)
    : Dialog(owner, kTemplate, true), document_(document) {}

void GoalsDialog::resume(GoalPlacing placed) {
    resumed_ = std::move(placed);
}

void GoalsDialog::onFirstShow() {
    Dialog::onFirstShow();
    windowSetText(dialogWindow(), textCopy(editor_layout::kGoalsText));
    const WindowHandle kinds = dialogGetItem(dialogWindow(), kFirstEdit + kGoalFieldKind);
    for (const std::string& name : goalKindNames())
        messageSend(kinds, CB_ADDSTRING, 0, reinterpret_cast<LParam>(name.c_str()));
    const GoalNode* goal = resumed_ ? goalTreeFindNode(document_.goals.root(), resumed_->goalId) : nullptr;
    refill(goal);
    if (!goal)
        return;
    setFields(resumed_->texts);
    apply();
}

void GoalsDialog::refill(const GoalNode* choose) {
    const WindowHandle list = dialogGetItem(dialogWindow(), kList);
    messageSend(list, LB_RESETCONTENT, 0, 0);
    lines_ = goalListLines(document_);
    int index = lines_.empty() ? -1 : 0;
    for (size_t i = 0; i < lines_.size(); ++i) {
        messageSend(list, LB_ADDSTRING, 0, reinterpret_cast<LParam>(lines_[i].text.c_str()));
        if (lines_[i].goal == choose)
            index = static_cast<int>(i);
    }
    messageSend(list, LB_SETCURSEL, static_cast<WParam>(index), 0);
    showFields();
}

GoalNode* GoalsDialog::chosen() const {
    const auto index = messageSend(dialogGetItem(dialogWindow(), kList), LB_GETCURSEL, 0, 0);
    return index >= 0 && static_cast<size_t>(index) < lines_.size() ? lines_[static_cast<size_t>(index)].goal : nullptr;
}

void GoalsDialog::showFields() {
    const GoalNode* goal = chosen();
    setFields(goal ? goalFormTexts(*goal) : GoalFormTexts{});
}

void GoalsDialog::setFields(const GoalFormTexts& texts) {
    // A kind the box does not offer (a goal of another kind, from a file) leaves no kind chosen.
    messageSend(dialogGetItem(dialogWindow(), kFirstEdit + kGoalFieldKind), CB_SETCURSEL, static_cast<WParam>(-1), 0);
    for (int field = 0; field < kGoalFieldCount; ++field)
        dialogSetItemText(dialogWindow(), kFirstEdit + field, texts[static_cast<size_t>(field)]);
}

GoalFormTexts GoalsDialog::typedFields() const {
    GoalFormTexts texts;
    for (int field = 0; field < kGoalFieldCount; ++field)
        texts[static_cast<size_t>(field)] = dialogGetItemText(dialogWindow(), kFirstEdit + field);
    return texts;
}

void GoalsDialog::apply() {
    GoalNode* goal = chosen();
    if (!goal)
        return;
    const GoalFormTexts texts = typedFields();
    GoalField bad = kGoalFieldKind;
    if (!goalFormRead(texts, document_, *goal, bad)) {
        std::array<char, 256> text{};
        textFormat(text, kTextBadField, dialogGetItemText(dialogWindow(), kFirstLabel + bad).c_str());
        messageBox(dialogWindow(), text.data(), textCopy(kTextCaption), kMbOk | kMbIconExclamation);
        return;
    }
    refill(goal);
}

void GoalsDialog::placeCentre() {
    const GoalNode* goal = chosen();
    GoalFormTexts texts = typedFields();
    const std::optional<int> kind = goalKindOf(texts[kGoalFieldKind]);
    if (!goal || !kind || !goalKindIsArea(*kind)) {
        messageBox(dialogWindow(), textCopy(kTextNotAnArea), textCopy(kTextCaption), kMbOk | kMbIconExclamation);
        return;
    }
    placing_ = GoalPlacing{goal->id, std::move(texts)};
    end(kPlacingCentre);
}

int GoalsDialog::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    const int code = static_cast<int>((wParam >> 16) & 0xFFFF);
    switch (id) {
    case kList:
        if (code == static_cast<int>(LBN_SELCHANGE))
            showFields();
        return 0;
    case kNew: {
        GoalNode goal;
        goal.kind = kGoalSurvive;
        goal.points = kNewGoalPoints;
        GoalNode* added = document_.goals.addNode(goal, nullptr);
        document_.changed = true;
        refill(added);
        return 0;
    }
    case kDelete:
        if (GoalNode* goal = chosen()) {
            document_.deleteGoal(goal);
            refill(nullptr);
        }
        return 0;
    case kApply:
        apply();
        return 0;
    case kPlaceCentre:
        placeCentre();
        return 0;
    default:
        return Dialog::onCommand(wParam, lParam);
    }
}

} // namespace q71
