#include "frontend/scenario_files/scenario_file_dialog.h"

#include "framework/textmngr/text_manager.h"
#include "platform/controls/control_messages.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/files/path.h"
#include "platform/msgbox/message_box.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_styles.h"
#include "sim/simulation/scenario_reader.h"

#include <array>

namespace q71 {
namespace {

constexpr int kTextEmpty = 2680;
constexpr int kTextBadCharacter = 2681;
constexpr int kTextTooLong = 2682;
constexpr int kTextMissing = 2683;
constexpr int kTextReplace = 2684;
constexpr int kTextOpenCaption = 2685;
constexpr int kTextSaveCaption = 2686;
constexpr int kTextOpenButton = 2687;
constexpr int kTextSaveButton = 2688;
constexpr int kTextTakesDataSetsPlace = 2689;

} // namespace

ScenarioFileDialog::ScenarioFileDialog(WindowHandle owner, Purpose purpose, ScenarioEnding ending,
                                       std::string name, DataSet dataSet, Switching switching)
    : Dialog(owner, kTemplate, true), purpose_(purpose),
      offersDataSet_(purpose == Purpose::Open && dataSet == DataSet::Offered),
      fixed_(switching == Switching::Fixed),
      ending_(ending == ScenarioEnding::DataSet && !offersDataSet_ ? ScenarioEnding::Single : ending),
      firstName_(std::move(name)) {}

int ScenarioFileDialog::switchOf(ScenarioEnding ending) const {
    switch (ending) {
    case ScenarioEnding::Network:
        return kNetwork;
    case ScenarioEnding::DataSet:
        return kDataSet;
    default:
        return kSingle;
    }
}

void ScenarioFileDialog::onFirstShow() {
    Dialog::onFirstShow();
    const WindowHandle box = dialogWindow();
    const bool opening = purpose_ == Purpose::Open;
    windowSetText(box, textCopy(opening ? kTextOpenCaption : kTextSaveCaption));
    windowSetText(dialogGetItem(box, kIdOk), textCopy(opening ? kTextOpenButton : kTextSaveButton));
    if (!offersDataSet_)
        windowShow(dialogGetItem(box, kDataSet), SW_HIDE);
    messageSend(dialogGetItem(box, switchOf(ending_)), BM_SETCHECK, BST_CHECKED, 0);
    if (fixed_) {
        // The one ending offered stands alone in the first switch's place, saying what is listed.
        const Rect first = windowGetRect(dialogGetItem(box, kSingle));
        const Point at = windowScreenToClient(box, {first.left, first.top});
        for (const int item : {kSingle, kNetwork, kDataSet}) {
            const WindowHandle button = dialogGetItem(box, item);
            const Rect place = windowGetRect(button);
            if (item == switchOf(ending_))
                windowMove(button, at.x, at.y, place.width(), place.height(), true);
            else
                windowShow(button, SW_HIDE);
        }
    }
    // A save offers a name of the data set's kind with the checked kind's ending, the file OK writes.
    const bool dataSetsName = purpose_ == Purpose::Save && scenarioEndingOf(firstName_) == ScenarioEnding::DataSet;
    dialogSetItemText(box, kName, dataSetsName ? scenarioNameWithEnding(firstName_, ending_) : firstName_);
    fillList();
}

void ScenarioFileDialog::fillList() {
    const WindowHandle list = dialogGetItem(dialogWindow(), kList);
    messageSend(list, LB_RESETCONTENT, 0, 0);
    rows_ = scenarioFilesWith(ending_);
    for (const std::string& name : rows_)
        messageSend(list, LB_ADDSTRING, 0, reinterpret_cast<LParam>(name.c_str()));
}

void ScenarioFileDialog::refuse(const std::string& text) const {
    messageBox(dialogWindow(), text, windowGetText(dialogWindow()), kMbOk | kMbIconExclamation);
}

int ScenarioFileDialog::onOk() {
    const std::string typed = dialogGetItemText(dialogWindow(), kName);
    std::string name;
    switch (scenarioFileNameOf(typed, ending_, purpose_ == Purpose::Open, name)) {
    case ScenarioNameFault::None:
        break;
    case ScenarioNameFault::Empty:
        refuse(textCopy(kTextEmpty));
        return 0;
    case ScenarioNameFault::BadCharacter:
        refuse(textFormatted(kTextBadCharacter, typed.c_str()));
        return 0;
    case ScenarioNameFault::TooLong:
        refuse(textFormatted(kTextTooLong, static_cast<int>(kLongestScenarioFileName)));
        return 0;
    }
    if (purpose_ == Purpose::Open && !fileExists(scenarioReadPath(name))) {
        refuse(textFormatted(kTextMissing, name.c_str()));
        return 0;
    }
    if (purpose_ == Purpose::Save) {
        const ScenarioSaveQuestion question = scenarioSaveQuestion(name, firstName_);
        if (question != ScenarioSaveQuestion::None &&
            messageBox(dialogWindow(),
                       textFormatted(question == ScenarioSaveQuestion::Replace ? kTextReplace : kTextTakesDataSetsPlace,
                                 name.c_str()),
                       windowGetText(dialogWindow()), kMbYesNo | kMbIconQuestion) != kIdYes)
            return 0;
    }
    fileName_ = std::move(name);
    ending_ = scenarioEndingOf(fileName_).value_or(ending_);
    return 1;
}

int ScenarioFileDialog::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam & 0xFFFF);
    const auto code = static_cast<std::uint32_t>((wParam >> 16) & 0xFFFF);
    const WindowHandle box = dialogWindow();
    switch (id) {
    case kSingle:
    case kNetwork:
    case kDataSet:
        if (code == BN_CLICKED) {
            ending_ = id == kSingle ? ScenarioEnding::Single : id == kNetwork ? ScenarioEnding::Network : ScenarioEnding::DataSet;
            fillList();
            // The name in the field is of the kind chosen: what OK takes is what the switch shows.
            dialogSetItemText(box, kName, scenarioNameWithEnding(dialogGetItemText(box, kName), ending_));
        }
        return 0;
    case kList: {
        const auto row = messageSend(dialogGetItem(box, kList), LB_GETCURSEL, 0, 0);
        if (row < 0 || static_cast<std::size_t>(row) >= rows_.size() || (code != LBN_SELCHANGE && code != LBN_DBLCLK))
            return 0;
        dialogSetItemText(box, kName, rows_[static_cast<std::size_t>(row)]);
        if (code == LBN_DBLCLK)
            messageSend(box, WM_COMMAND, kIdOk, 0);
        return 0;
    }
    default:
        return Dialog::onCommand(wParam, lParam);
    }
}

} // namespace q71
