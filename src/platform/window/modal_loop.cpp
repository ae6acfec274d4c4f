#include "platform/window/modal_loop.h"

#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_layout.h"
#include "platform/window/window_state.h"
#include "platform/text/program_log.h"

#include <algorithm>
#include <cstdlib>

namespace q71 {
namespace {

using namespace windowing;

ModalRecord* findModal(WindowHandle window) {
    for (ModalRecord& m : state().modals) {
        if (m.window == window)
            return &m;
    }
    return nullptr;
}

bool loopEnded(WindowHandle window) {
    ModalRecord* m = findModal(window);
    return !m || m->ended || !findWindow(window);
}

// A headless loop with nothing to do takes the next scripted answer.
void answerFromScript(WindowHandle window) {
    State& s = state();
    if (!s.modalScript.empty()) {
        auto answer = std::move(s.modalScript.front());
        s.modalScript.pop_front();
        answer(window);
        return;
    }
    if (s.unansweredModal) {
        s.unansweredModal(window);
    } else {
        logLine("a modal box (window \"" + windowGetText(window) + "\") waits for an answer that no script gives");
        std::abort();
    }
    modalLoopEnd(window, 0);
}

} // namespace

LResult modalLoopRun(WindowHandle modalWindow, WindowHandle owner, const ModalMessageFilter& filter) {
    State& s = state();
    if (!findWindow(modalWindow) || findModal(modalWindow))
        return 0;
    WindowHandle ownerTop = windowGetTopLevel(owner);
    bool disabledOwner = ownerTop != WindowHandle{} && ownerTop != modalWindow && windowIsEnabled(ownerTop);
    if (disabledOwner)
        windowEnable(ownerTop, false);
    s.modals.push_back({modalWindow});

    while (!loopEnded(modalWindow)) {
        Message m;
        if (messagePeek(m, PeekMode::Remove)) {
            if (m.message == WM_QUIT) {
                messagePostQuit(static_cast<int>(m.wParam));
                break;
            }
            if (filter && filter(m))
                continue;
            messageTranslate(m);
            messageDispatch(m);
        } else if (!s.backend.interactive()) {
            answerFromScript(modalWindow);
        }
    }

    ModalRecord* record = findModal(modalWindow);
    LResult result = record && record->ended ? record->result : 0;
    auto& modals = s.modals;
    modals.erase(std::remove_if(modals.begin(), modals.end(),
                                [&](const ModalRecord& r) { return r.window == modalWindow; }),
                 modals.end());
    if (disabledOwner)
        windowEnable(ownerTop, true);
    return result;
}

bool modalLoopEnd(WindowHandle modalWindow, LResult result) {
    ModalRecord* m = findModal(modalWindow);
    if (!m || m->ended)
        return false;
    m->ended = true;
    m->result = result;
    state().backend.wake();
    return true;
}

int modalLoopDepth() {
    return static_cast<int>(state().modals.size());
}

void modalScriptPush(std::function<void(WindowHandle)> answer) {
    state().modalScript.push_back(std::move(answer));
}

void modalScriptSetUnansweredHandler(std::function<void(WindowHandle)> handler) {
    state().unansweredModal = std::move(handler);
}

} // namespace q71
