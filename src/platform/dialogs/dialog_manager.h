#pragma once
// The dialog manager: dialogs made from the program's templates, modal (a nested loop runs
// until the dialog ends, its owner's window disabled meanwhile, never the idle hook) or
// modeless (the program's loop hands their messages to dialogRouteMessage); their controls
// reached by id; and the keyboard of a dialog: Tab and Shift+Tab through the tab stops, the
// arrows through a group, Enter for the focused push button or the default one (IDOK when none
// is), Esc for IDCANCEL.

#include "platform/dialogs/dialog_template.h"
#include "platform/dialogs/dialog_window.h"
#include "platform/window/window_types.h"

#include <string>
#include <string_view>

namespace q71 {

/// Shows a modal dialog of the template id, owned by the owner's window, and returns the result
/// given to dialogEnd (0 when the dialog was destroyed without one), or -1 when there is no such
/// template or the dialog cannot be made. The focus goes back where it was.
LResult dialogBox(int templateId, WindowHandle owner, DialogProc procedure, LParam initParam = 0);
/// Makes a modeless dialog of the template id (shown when the template has WS_VISIBLE) and
/// returns it, or no window.
WindowHandle dialogCreate(int templateId, WindowHandle owner, DialogProc procedure, LParam initParam = 0);
/// The same with a template given directly rather than by id (it must live while the dialog is made).
LResult dialogBoxIndirect(const DialogTemplate& dialog, WindowHandle owner, DialogProc procedure,
                          LParam initParam = 0);
WindowHandle dialogCreateIndirect(const DialogTemplate& dialog, WindowHandle owner, DialogProc procedure,
                                  LParam initParam = 0);
/// Ends a dialog with a result: a modal one's loop returns it and the dialog goes; a modeless
/// one is only hidden, so its owner may still read it. False when the window is no dialog.
bool dialogEnd(WindowHandle dialog, LResult result);

/// The control of a window (dialog or not) with the id, or no window.
WindowHandle dialogGetItem(WindowHandle dialog, int id);
/// Sets a control's text (WM_SETTEXT); false when there is no such control.
bool dialogSetItemText(WindowHandle dialog, int id, std::string_view text);
/// A control's text (WM_GETTEXT); "" when there is no such control.
std::string dialogGetItemText(WindowHandle dialog, int id);
/// Sets a control's text to the number in decimal (negative only when signed).
bool dialogSetItemInt(WindowHandle dialog, int id, long value, bool isSigned);
/// The number a control's text holds: spaces around it, a '-' first when signed, then decimal
/// digits and nothing else, within 32 bits. Otherwise 0, and `translated` (when given) is false.
long dialogGetItemInt(WindowHandle dialog, int id, bool* translated, bool isSigned);

/// The next (or previous) control that Tab reaches from a control of the dialog: visible,
/// enabled and WS_TABSTOP, wrapping round; from no control the first (or last). None when none.
WindowHandle dialogNextTabItem(WindowHandle dialog, WindowHandle from, bool previous);
/// The next (or previous) visible, enabled control of the group of a control (controls from one
/// with WS_GROUP up to the next), wrapping round within it.
WindowHandle dialogNextGroupItem(WindowHandle dialog, WindowHandle from, bool previous);

/// Handles a message for the dialog or its controls the way a dialog does (its keyboard, then
/// translation and dispatch); false when the message belongs to another window.
bool dialogIsMessage(WindowHandle dialog, const Message& message);
/// For the program's loop: handles a message that belongs to a modeless dialog; false otherwise.
bool dialogRouteMessage(const Message& message);

} // namespace q71
