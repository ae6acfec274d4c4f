#pragma once
// A dialog of the program's templates (the scenario file box, the progress box of long loads,
// the editor's boxes) as an object: the dialog manager hands its messages to `procedure`, whose
// operations subclasses override. Shown modal, `create` returns once the dialog ends, with the
// result given to `end`; shown modeless, it returns at once and the dialog lives beside the
// program's screens.
//
// The owner of a Dialog object keeps it and deletes it: ending a dialog (OK, Cancel or `end`)
// closes its window but leaves the object, so its owner can still read what the dialog set (a
// progress box's cancelled flag). Deleting the object takes a window that is still there.

#include "framework/app/window_object.h"
#include "framework/widgets/base_widget.h"
#include "platform/gdi/pen_brush.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace q71 {

class Bitmap;
class DeviceContext;

class Dialog : public WindowObject {
public:
    /// A dialog of the template `resourceId` owned by `ownerWindow`; `backgroundBrush` answers
    /// WM_CTLCOLORDLG (the light grey stock brush without one).
    Dialog(WindowHandle ownerWindow, int resourceId, bool modal, std::optional<Brush> backgroundBrush = {});
    /// Destroys the dialog's window when it is still there.
    ~Dialog() override;

    /// The dialog's messages (see dialog.cpp).
    virtual LResult procedure(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);
    /// What the dialog leaves to the dialog manager's default handling: 0.
    virtual LResult defaultMessage(std::uint32_t message, WParam wParam, LParam lParam);
    /// The first time the dialog shows: the toolkit's shared cursor, when it has one.
    virtual void onFirstShow();
    /// Draws over the tiled background.
    virtual void paint(PaintRecord& paint);
    /// OK: non-zero ends the dialog with 1; 0 keeps it open and passes the command to onCommand.
    virtual int onOk();
    /// A command other than OK and Cancel; its result is the message's.
    virtual int onCommand(WParam wParam, LParam lParam);
    virtual void onDestroy();
    virtual void onMove(int x, int y);
    virtual void onActivate();
    virtual void onDeactivate();
    virtual LResult onChar(WParam wParam, LParam lParam);
    /// A key; 0 leaves it to defaultMessage.
    virtual int onKeyDown(WParam wParam, LParam lParam);
    virtual int onKeyUp(WParam wParam, LParam lParam);
    /// Cancel, before the dialog ends with 2.
    virtual void onCancel();

    /// A bitmap tiled over the client area under each paint.
    void setBackground(std::shared_ptr<Bitmap> bitmap);
    /// create with the dialog's own template.
    LResult show();
    /// Modal: shows the dialog until it ends and returns the result given to end (-1 when it cannot
    /// be made). Modeless: makes and shows it and returns 1 (also when it cannot be made).
    LResult create(int resourceId);
    /// Ends the dialog with a result: a modal one's `create` returns it; a modeless one is hidden
    /// (its controls stay readable until the object goes). The dialog's window no longer reaches
    /// the object. Returns the result.
    LResult end(LResult result);
    /// Moves a control of the dialog to (x, y), grown by the amounts.
    void placeControl(WindowHandle control, int x, int y, int growWidth, int growHeight);
    /// Covers width by height of a context with copies of the bitmap from (0, 0) (partial ones at
    /// the right and bottom).
    static void tileBitmap(DeviceContext& dc, const std::shared_ptr<Bitmap>& bitmap, int width, int height);
    /// The procedure the dialog manager calls for every Dialog.
    static LResult dialogProc(WindowHandle window, std::uint32_t message, WParam wParam, LParam lParam);

    /// The dialog's window (none before it is made and after it went; hidden once a modeless
    /// dialog ended).
    WindowHandle dialogWindow() const { return dialogWindow_; }
    WindowHandle ownerWindow() const { return ownerWindow_; }
    bool isModal() const { return modal_; }
    bool isEnded() const { return ended_; }

private:
    void detach();

    WindowHandle dialogWindow_{};
    WindowHandle ownerWindow_;
    bool modal_;
    int resourceId_;
    std::optional<Brush> backgroundBrush_;
    bool firstShown_ = false;
    bool ended_ = false;
    std::shared_ptr<Bitmap> backgroundBitmap_;
};

} // namespace q71
