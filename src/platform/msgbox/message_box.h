#pragma once
// The message box: a modal box owned by a window, whose top-level window is disabled while it
// shows; it answers to clicks on its buttons, to Enter (the button with the focus, at first the
// default one), to Esc (Cancel, or OK when that is the only button), to the buttons' mnemonic
// letters, and moves the focus with Tab and the arrows. Its nested loop runs paints, timers and
// input but never the idle hook. Before the program has a window, on a display nobody sees (the
// headless one), it writes the caption (when given) and the text to stderr and returns the
// default answer.

#include "platform/msgbox/message_box_types.h"
#include "platform/window/window_types.h"

#include <string_view>

namespace q71 {

/// Shows the box (texts in Windows-1252) and returns the answer, one of the kId values.
int messageBox(WindowHandle owner, std::string_view text, std::string_view caption, unsigned style);

} // namespace q71
