#include "frontend/options/options_screen.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/simple_button.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/options/options_layout.h"
#include "frontend/screen_art.h"
#include "platform/msgbox/message_box.h"
#include "platform/window/window_paint.h"

#include <cstdio>

namespace q71 {
namespace {

enum ControlId : int {
    kValidateId = 1,
    kCancelId = 2,
    kLinesId = 3, // and kLinesId + 1 for a second click
    kFirstTabId = 10,
};

constexpr int kTitleText = 2360;
constexpr int kPageTitleTexts = 2361; // + page
constexpr int kNotSavedText = 2365;
constexpr int kSwitchWords = 2390; // + 0 off, + 1 on
constexpr int kReportWords = 2392; // + 0 essential reports, + 1 all
constexpr int kAssistWords = 2394; // + 0 off, + 1 by rank, + 2 automatic
constexpr int kOptionsCaptionText = 1901;
constexpr int kEscape = 27;

std::string valueWord(const OptionLine& line, int value) {
    switch (line.kind) {
    case OptionLineKind::Switch:
        return textCopy(kSwitchWords + value);
    case OptionLineKind::ReportLevel:
        return textCopy(kReportWords + value);
    case OptionLineKind::CrewAssist:
        return textCopy(kAssistWords + value);
    case OptionLineKind::CellSize:
        return std::to_string(value);
    }
    return {};
}

} // namespace

OptionsScreen::OptionsScreen(WindowHandle parent, int argument)
    : FrontEndScreen("options", parent), argument_(argument) {}

OptionsScreen::~OptionsScreen() = default;

void OptionsScreen::open() {
    using namespace options_layout;
    frontEndSelectGroup(kOptionsGroup);
    frontEndLoadBackground(background_);
    tabs_ = frontEndTabButtons(window_, kFirstTabId, kOptionsPageCount);
    validate_ = frontEndPushButton(window_, kValidateId, kValidateX, kButtonY, kButtonWidth, kButtonHeight);
    cancel_ = frontEndPushButton(window_, kCancelId, kCancelX, kButtonY, kButtonWidth, kButtonHeight);
    lines_ = std::make_unique<GlassList>(window_, kLinesId, kGlass.inflatedBy(-10, -40));
    edited_ = optionsRecord();
    showPage(OptionsPage::Display);
}

void OptionsScreen::close() {
    lines_.reset();
    tabs_.clear();
    validate_.reset();
    cancel_.reset();
    background_.free();
}

void OptionsScreen::showPage(OptionsPage page) {
    page_ = page;
    fillLines();
    windowInvalidate(window_, nullptr, false);
}

void OptionsScreen::fillLines() {
    std::vector<std::string> rows;
    for (const OptionLine& line : optionsPageLines(page_))
        rows.push_back(textCopy(line.labelText) + " : " + valueWord(line, optionLineValue(edited_, line)));
    lines_->replaceRows(std::move(rows));
}

void OptionsScreen::cycleLine(int row) {
    const auto lines = optionsPageLines(page_);
    if (row < 0 || row >= static_cast<int>(lines.size()))
        return;
    optionLineCycle(edited_, lines[static_cast<std::size_t>(row)]);
    fillLines();
}

void OptionsScreen::paint(DeviceContext& dc) {
    using namespace options_layout;
    FrontEndScreen::paint(dc);
    glassTitle(dc, kTitle, textCopy(kTitleText));
    const Rect heading{kGlass.left + 16, kGlass.top + 8, kGlass.right - 16, kGlass.top + 30};
    glassLine(dc, heading, textCopy(kPageTitleTexts + static_cast<int>(page_)), kLabelFont,
              glass_colours::kAmber);
}

int OptionsScreen::onCommand(WParam wParam, LParam lParam) {
    const int id = static_cast<int>(wParam);
    if (id >= kFirstTabId && id < kFirstTabId + kOptionsPageCount) {
        showPage(static_cast<OptionsPage>(id - kFirstTabId));
        return 1;
    }
    switch (id) {
    case kLinesId:
    case kLinesId + 1:
        cycleLine(static_cast<int>(lParam));
        return 1;
    case kValidateId:
        applyCurrentPage();
        return 1;
    case kCancelId:
        cancel();
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

int OptionsScreen::onKey(int key, int category) {
    if (category != kKeyChar || key != kEscape || !lines_)
        return 0;
    cancel();
    return 1;
}

void OptionsScreen::applyCurrentPage() {
    for (int page = 0; page < kOptionsPageCount; ++page)
        optionsCopyPage(optionsRecord(), edited_, static_cast<OptionsPage>(page));
    if (!optionsSave())
        messageBox(window_, textCopy(kNotSavedText), textCopy(kOptionsCaptionText),
                   kMbOk | kMbIconExclamation);
    screenApplyOptions();
    goBack();
}

void OptionsScreen::cancel() {
    goBack();
}

void OptionsScreen::goBack() {
    screenSwitch(argument_ == kOptionsBackToHost ? kSlotGenInfo : kSlotMainMenu);
    screenDestroyLater(kSlotOptions);
}

} // namespace q71
