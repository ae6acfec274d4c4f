#include "frontend/captlog/capt_log_fs.h"

#include "framework/app/key_matching.h"
#include "framework/app/screen_manager.h"
#include "framework/app/shell_fonts.h"
#include "framework/textmngr/text_manager.h"
#include "framework/widgets/edit_box.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/text_box.h"
#include "frontend/captlog/captain_log_file.h"
#include "frontend/captlog/captlog_layout.h"
#include "frontend/glass_colours.h"
#include "frontend/glass_text.h"
#include "frontend/screen_art.h"
#include "platform/controls/control_styles.h"
#include "platform/resources/program_resources.h"
#include "platform/window/window_paint.h"
#include "sim/simulation/time_source.h"

namespace q71 {
namespace {

enum ControlId : int {
    kWriteId = 1,
    kBackId = 2,
    kEntryId = 3,
};

// The ground of the host's message log: the log reads as the boat's own.
constexpr int kLogPattern = 106;
constexpr int kEscape = 27;

constexpr int kTitleText = 2920;
constexpr int kEntryLabelText = 2921;
constexpr int kWrittenText = 2924;
constexpr int kWriteFailedText = 2925;
constexpr int kUnreadableText = 2926;
constexpr int kDamagedText = 2927;
constexpr int kTooLargeText = 2928;
constexpr int kNoPlayerText = 2929;

constexpr ColorRef kLogColour = rgb(0xC8, 0xFF, 0xC8);

} // namespace

CaptLogFS::CaptLogFS(WindowHandle parent) : FrontEndScreen("captlog", parent) {}

CaptLogFS::~CaptLogFS() = default;

void CaptLogFS::open() {
    using namespace captlog_layout;
    frontEndSelectGroup(kCaptLogGroup);
    frontEndLoadBackground(background_);
    write_ = frontEndPushButton(window_, kWriteId, kWriteX, kButtonY, kButtonWidth, kButtonHeight);
    back_ = frontEndPushButton(window_, kBackId, kBackX, kButtonY, kButtonWidth, kButtonHeight);
    log_ = makeLogTextBox(window_, kLogGlass.inflatedBy(-4, -4), resourceLoadBitmap(kLogPattern),
                          appScreenFont(), kLogColour);
    log_->loadResources();
    const Rect field = kEntryGlass.inflatedBy(-3, -3);
    entry_ =
        std::make_unique<EditBox>(window_, kEntryId, field.left, field.top, field.width(), field.height(),
                                  nullptr, appScreenFont(), false, ES_AUTOHSCROLL);
    entry_->setTextColour(glass_colours::kAmber);
    entry_->loadResources();
    fillLog();
}

void CaptLogFS::close() {
    log_.reset();
    entry_.reset();
    write_.reset();
    back_.reset();
    background_.free();
}

void CaptLogFS::fillLog() {
    log_->clear();
    saidText_ = 0;
    const std::string path = captLogPath();
    const CaptLog log = path.empty() ? CaptLog{CaptLogStatus::Unreadable, {}} : captLogRead(path);
    writable_ = !path.empty() && log.status == CaptLogStatus::Ok;
    for (const std::string& line : log.lines)
        log_->addLine(line.c_str());
    log_->scrollToEnd();
    switch (log.status) {
    case CaptLogStatus::Ok:
        break;
    case CaptLogStatus::Unreadable:
        say(path.empty() ? kNoPlayerText : kUnreadableText);
        break;
    case CaptLogStatus::Damaged:
        say(kDamagedText);
        break;
    case CaptLogStatus::TooLarge:
        say(kTooLargeText);
        break;
    }
    entry_->setEditable(writable_);
    write_->setEnabled(writable_);
}

void CaptLogFS::say(int text) {
    saidText_ = text;
    Rect glass = captlog_layout::kStatusGlass;
    windowInvalidate(window_, &glass, false);
}

bool CaptLogFS::writeEntry() {
    if (!writable_ || !entry_)
        return false;
    const std::string text = entry_->getText();
    if (text.find_first_not_of(' ') == std::string::npos)
        return false;
    const std::string line = captLogEntry(static_cast<std::time_t>(simTimeOfDaySeconds()), text);
    if (!captLogAppend(captLogPath(), {line})) {
        say(kWriteFailedText);
        return false;
    }
    log_->addLine(line.c_str());
    log_->scrollToEnd();
    entry_->setText("");
    say(kWrittenText);
    return true;
}

void CaptLogFS::paint(DeviceContext& dc) {
    using namespace captlog_layout;
    FrontEndScreen::paint(dc);
    glassTitle(dc, kTitle, textCopy(kTitleText));
    glassLine(dc, kEntryLabel, textCopy(kEntryLabelText), kLabelFont, glass_colours::kLabel);
    if (saidText_)
        glassLine(dc, kStatusGlass.inflatedBy(-8, 0), textCopy(saidText_), kTextFont,
                  saidText_ == kWrittenText ? glass_colours::kAmber : glass_colours::kWarningRed);
}

int CaptLogFS::onCommand(WParam wParam, LParam lParam) {
    switch (static_cast<int>(wParam)) {
    case kWriteId:
        writeEntry();
        return 1;
    case kEntryId:
        if (lParam == '\r')
            writeEntry();
        return 1;
    case kBackId:
        leave();
        return 1;
    default:
        return FrontEndScreen::onCommand(wParam, lParam);
    }
}

int CaptLogFS::onKey(int key, int category) {
    if (category == kKeyChar && key == '\r') {
        writeEntry();
        return 1;
    }
    if (category == kKeyChar && key == kEscape) {
        leave();
        return 1;
    }
    return 0;
}

void CaptLogFS::leave() {
    screenSwitch(kSlotMainMenu);
    screenDestroyLater(kSlotCaptainsLog);
}

} // namespace q71
