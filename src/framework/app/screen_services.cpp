// The small services every screen uses: the busy cursor and the message pump of long operations.
#include "framework/app/app_services.h"
#include "framework/app/screen_manager.h"
#include "framework/app/screen_table.h"
#include "framework/app/shell_state.h"
#include "platform/dialogs/dialog_manager.h"
#include "platform/resources/program_resources.h"
#include "platform/window/cursors.h"
#include "platform/window/focus.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"

namespace q71 {

void appCursorMode(WindowHandle window, int mode) {
    ScreenTable& table = screenTable();
    switch (mode) {
    case 0:
        table.busyCursor = resourceLoadCursor(155);
        break;
    case 1:
        table.busyCursor = appShellState().cursor156;
        break;
    case 2:
        captureSet(window);
        if (cursorGet() != table.busyCursor)
            table.savedCursor = cursorSet(table.busyCursor);
        break;
    case 3:
        cursorSet(table.savedCursor);
        captureRelease();
        break;
    default:
        break;
    }
}

void appPumpMessages() {
    Message message;
    while (messagePeek(message, PeekMode::Remove)) {
        if (message.message == WM_QUIT) {
            // The loop that called us ends the program when it reads this again.
            messagePostQuit(0);
            return;
        }
        if (dialogRouteMessage(message))
            continue;
        messageTranslate(message);
        messageDispatch(message);
    }
    appNetwork().poll();
}

} // namespace q71
