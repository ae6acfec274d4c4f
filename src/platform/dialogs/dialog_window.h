#pragma once
// The window of a dialog, of the class "Q71Dialog": the program's dialog procedure sees each
// message first; what it leaves (returns 0 for) gets the dialog manager's default handling,
// which erases with the brush of WM_CTLCOLORDLG, turns WM_CLOSE into IDCANCEL, keeps the focus
// on a control across activations, hands the wheel to the list box under the pointer and
// answers DM_GETDEFID. Windows have no frame here, so the
// dialog paints its frame and caption band over the edge of its own area after each WM_PAINT;
// its controls stand inside them.

#include "platform/controls/control.h"

namespace q71 {

/// A dialog's procedure: the answer of WM_CTLCOLOR* and WM_INITDIALOG as it stands; for other
/// messages non-zero means handled (and is the result), 0 leaves the message to the default.
/// WM_SETFONT and WM_GETFONT are the dialog manager's alone (the dialog keeps its template's font).
using DialogProc = WindowProc;

/// DM_GETDEFID (the answer: the default button's id in the low word, DC_HASDEFID in the high
/// word) and DM_SETDEFID (wParam: the id).
constexpr std::uint32_t DM_GETDEFID = WM_USER + 0;
constexpr std::uint32_t DM_SETDEFID = WM_USER + 1;
constexpr int DC_HASDEFID = 0x534B;

/// What the dialog manager hands to the dialog's window at creation (the createParam).
struct DialogCreation {
    DialogProc procedure = nullptr;
    bool modal = false;
    FontRef font;
};

/// Gives a control the focus as a dialog does: a field (DLGC_HASSETSEL) is selected whole, so
/// typing replaces it.
void dialogFocusControl(WindowHandle control);

class DialogWindow final : public Control {
public:
    DialogWindow(WindowHandle window, const CreateStruct& cs);
    LResult handle(std::uint32_t message, WParam wParam, LParam lParam) override;

    bool modal() const { return modal_; }
    bool ended() const { return ended_; }
    LResult result() const { return result_; }
    /// Marks the dialog ended with a result (dialogEnd does the rest).
    void end(LResult result);
    /// The control to focus when the dialog becomes active.
    void setFocusItem(WindowHandle item) { focusItem_ = item; }
    void setDefaultId(int id) { defaultId_ = id; }

private:
    LResult byDialogDefault(std::uint32_t message, WParam wParam, LParam lParam);
    void restoreFocus();
    void paintFrame() const;

    DialogProc procedure_;
    bool modal_;
    bool ended_ = false;
    LResult result_ = 0;
    WindowHandle focusItem_{};
    int defaultId_ = 1;
    FontRef captionFont_;
};

} // namespace q71
