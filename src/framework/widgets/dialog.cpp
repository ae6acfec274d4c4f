#include "framework/widgets/dialog.h"

#include "platform/dialogs/dialog_manager.h"
#include "platform/gdi/blit.h"
#include "platform/gdi/window_dc.h"
#include "platform/window/cursors.h"
#include "platform/window/message_ids.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_paint.h"
#include "platform/window/window_styles.h"

namespace q71 {
namespace {

// The property under which a dialog's window keeps its object. It is put on the dialog's own
// window, so that dialogs shown over one another each reach their own object.
constexpr const char* kDialogProperty = "Dialog";

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

Dialog* dialogOf(WindowHandle window) {
    return dynamic_cast<Dialog*>(static_cast<WindowObject*>(windowGetProperty(window, kDialogProperty)));
}

} // namespace

Dialog::Dialog(WindowHandle ownerWindow, int resourceId, bool modal, std::optional<Brush> backgroundBrush)
    : ownerWindow_(ownerWindow), modal_(modal), resourceId_(resourceId),
      backgroundBrush_(std::move(backgroundBrush)) {}

Dialog::~Dialog() {
    detach();
    if (windowIsValid(dialogWindow_))
        windowDestroy(dialogWindow_);
}

void Dialog::detach() {
    if (windowIsValid(dialogWindow_) && dialogOf(dialogWindow_) == this)
        windowRemoveProperty(dialogWindow_, kDialogProperty);
}

LResult Dialog::dialogProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_INITDIALOG && lParam != 0) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        windowSetProperty(window, kDialogProperty, static_cast<WindowObject*>(dialog));
        dialog->dialogWindow_ = window;
    }
    Dialog* dialog = dialogOf(window);
    return dialog ? dialog->procedure(window, message, wParam, lParam) : 0;
}

LResult Dialog::show() {
    return create(resourceId_);
}

LResult Dialog::create(int resourceId) {
    firstShown_ = false;
    ended_ = false;
    const int id = resourceId & 0xFFFF;
    const auto self = reinterpret_cast<LParam>(this);
    if (modal_) {
        // A handler may delete the dialog while it runs: nothing of it is touched after that.
        const auto alive = watch();
        LResult result = dialogBox(id, ownerWindow_, &Dialog::dialogProc, self);
        if (!alive.expired())
            dialogWindow_ = {};
        return result;
    }
    dialogWindow_ = dialogCreate(id, ownerWindow_, &Dialog::dialogProc, self);
    if (windowIsValid(dialogWindow_)) {
        windowUpdate(dialogWindow_);
        windowShow(dialogWindow_, SW_SHOWNORMAL);
    }
    return 1;
}

LResult Dialog::end(LResult result) {
    ended_ = true;
    detach();
    dialogEnd(dialogWindow_, result);
    return result;
}

LResult Dialog::procedure(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam) {
    const int x = pointXFromLParam(lParam);
    const int y = pointYFromLParam(lParam);
    switch (message) {
    case WM_DESTROY:
        onDestroy();
        detach();
        dialogWindow_ = {};
        return 0;
    case WM_MOVE:
        onMove(x, y);
        return 0;
    case WM_ACTIVATE:
        if (loWord(wParam) == static_cast<int>(WA_INACTIVE))
            onDeactivate();
        else
            onActivate();
        return 0;
    case WM_SETFOCUS:
        onActivate();
        return 0;
    case WM_KILLFOCUS:
        onDeactivate();
        return 0;
    case WM_PAINT: {
        PaintStruct ps = beginPaint(window);
        if (backgroundBitmap_) {
            Rect client = windowGetClientRect(window);
            tileBitmap(*ps.dc, backgroundBitmap_, client.width(), client.height());
        }
        PaintRecord record{ps.dc.get(), ps.paint};
        paint(record);
        endPaint(window, ps);
        return 0;
    }
    case WM_SHOWWINDOW:
        dialogWindow_ = window;
        if (wParam == 0) {
            onDeactivate();
        } else if (!firstShown_) {
            firstShown_ = true;
            onFirstShow();
        }
        return 0;
    case WM_KEYDOWN:
        return onKeyDown(wParam, lParam) ? 0 : defaultMessage(message, wParam, lParam);
    case WM_KEYUP:
        return onKeyUp(wParam, lParam) ? 0 : defaultMessage(message, wParam, lParam);
    case WM_CHAR:
        return onChar(wParam, lParam);
    case WM_COMMAND: {
        // A handler may have its owner delete the dialog; it is not ended twice then.
        auto alive = watch();
        if (loWord(wParam) == kIdOk) {
            if (onOk() == 0)
                return alive.expired() ? 0 : onCommand(wParam, lParam);
            if (!alive.expired())
                end(kIdOk);
            return kIdOk;
        }
        if (loWord(wParam) == kIdCancel) {
            onCancel();
            if (!alive.expired())
                end(kIdCancel);
            return kIdCancel;
        }
        return onCommand(wParam, lParam);
    }
    case WM_CTLCOLORDLG:
        return static_cast<LResult>(backgroundBrush_ ? classBackgroundBrush(&*backgroundBrush_)
                                                     : classBackgroundBrush(StockObject::LightGrayBrush));
    default:
        return defaultMessage(message, wParam, lParam);
    }
}

LResult Dialog::defaultMessage(std::uint32_t, WParam, LParam) {
    return 0;
}

void Dialog::onFirstShow() {
    if (BaseWidget::sharedCursor() != CursorHandle{})
        cursorSet(BaseWidget::sharedCursor());
}

void Dialog::paint(PaintRecord&) {}

int Dialog::onOk() {
    return 1;
}

int Dialog::onCommand(WParam, LParam) {
    return 1;
}

void Dialog::onDestroy() {}
void Dialog::onMove(int, int) {}
void Dialog::onActivate() {}
void Dialog::onDeactivate() {}

LResult Dialog::onChar(WParam wParam, LParam lParam) {
    return defaultMessage(WM_CHAR, wParam, lParam);
}

int Dialog::onKeyDown(WParam, LParam) {
    return 0;
}

int Dialog::onKeyUp(WParam, LParam) {
    return 0;
}

void Dialog::onCancel() {}

void Dialog::setBackground(std::shared_ptr<Bitmap> bitmap) {
    backgroundBitmap_ = std::move(bitmap);
}

void Dialog::placeControl(WindowHandle control, int x, int y, int growWidth, int growHeight) {
    Rect client = windowGetClientRect(control);
    windowMove(control, x, y, client.width() + growWidth, client.height() + growHeight, true);
}

void Dialog::tileBitmap(DeviceContext& dc, const std::shared_ptr<Bitmap>& bitmap, int width, int height) {
    if (!bitmap || bitmap->width() <= 0 || bitmap->height() <= 0)
        return;
    auto source = DeviceContext::createMemory();
    source->selectBitmap(bitmap);
    for (int y = 0; y < height; y += bitmap->height())
        for (int x = 0; x < width; x += bitmap->width())
            bitBlt(dc, x, y, bitmap->width(), bitmap->height(), source.get(), 0, 0, kSrcCopy);
}

} // namespace q71
