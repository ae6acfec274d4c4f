#include "framework/widgets/progress_dialog.h"

#include "framework/textmngr/text_manager.h"
#include "framework/widgets/level_bar.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"

namespace q71 {
namespace {

constexpr int kWithButton = 113;
constexpr int kWithoutButton = 114;
constexpr int kButtonItem = 1; // the box's one button, which cancels
constexpr int kEscape = 2;     // IDCANCEL, which Esc gives
constexpr int kMessageItem = 1001;
constexpr int kBarItem = 1002;
constexpr int kDefaultButtonText = 850;
constexpr int kDefaultMessageText = 851;

const char* orDefault(const char* text, int defaultId) {
    if (text && *text)
        return text;
    const char* fallback = textGetString(defaultId);
    return fallback ? fallback : "";
}

} // namespace

ProgressDialog::ProgressDialog(WindowHandle ownerWindow, bool cancellable)
    : Dialog(ownerWindow, cancellable ? kWithButton : kWithoutButton, false), cancellable_(cancellable) {}

bool ProgressDialog::open(const char* message, const char* buttonText) {
    show();
    const WindowHandle box = dialogWindow();
    if (!windowIsValid(box))
        return false;
    // The texts are copied before the next one is read: they share the text manager's buffer.
    dialogSetItemText(box, kMessageItem, orDefault(message, kDefaultMessageText));
    if (cancellable_)
        dialogSetItemText(box, kButtonItem, orDefault(buttonText, kDefaultButtonText));
    const WindowHandle place = dialogGetItem(box, kBarItem);
    const Rect area = windowGetRect(place);
    const Point corner = windowScreenToClient(box, {area.left, area.top});
    bar_ = new LevelBar(box, corner.x, corner.y, area.width(), area.height(), 0.0);
    return true;
}

void ProgressDialog::setText(const char* text) {
    dialogSetItemText(dialogWindow(), kMessageItem, text ? text : "");
}

LResult ProgressDialog::procedure(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_COMMAND && loWord(wParam) == kEscape && !cancellable_)
        return 0;
    return Dialog::procedure(window, message, wParam, lParam);
}

int ProgressDialog::onOk() {
    cancelled_ = cancellable_;
    return cancellable_ ? 1 : 0;
}

void ProgressDialog::onCancel() {
    cancelled_ = true;
}

LResult ProgressDialog::defaultMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    if (message != WM_LBUTTONUP || !cancellable_)
        return Dialog::defaultMessage(message, wParam, lParam);
    const WindowHandle button = dialogGetItem(dialogWindow(), kButtonItem);
    const Rect area = windowGetRect(button);
    const Point at =
        windowClientToScreen(dialogWindow(), {pointXFromLParam(lParam), pointYFromLParam(lParam)});
    if (windowIsValid(button) && area.contains(at))
        messagePost(dialogWindow(), WM_COMMAND, kButtonItem, 0);
    return 0;
}

} // namespace q71
