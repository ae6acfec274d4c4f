#include "support/headless_windows.h"

#include "platform/window/default_proc.h"
#include "platform/window/message_ids.h"
#include "platform/window/message_queue.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_styles.h"

#include <algorithm>

namespace q71::test {

HeadlessWindows* HeadlessWindows::current_ = nullptr;

HeadlessWindows::HeadlessWindows() {
    current_ = this;
    classRegister({"Recorder", 0, recorderProc});
    classRegister({"RecorderDbl", CS_DBLCLKS, recorderProc});
}

HeadlessWindows::~HeadlessWindows() {
    onMessage = nullptr;
    current_ = nullptr;
}

LResult HeadlessWindows::recorderProc(WindowHandle window, std::uint32_t message, WParam wParam,
                                      LParam lParam) {
    if (!current_)
        return windowDefaultProc(window, message, wParam, lParam);
    Received r{window, message, wParam, lParam};
    current_->received.push_back(r);
    if (current_->onMessage) {
        if (auto result = current_->onMessage(r))
            return *result;
    }
    return windowDefaultProc(window, message, wParam, lParam);
}

int HeadlessWindows::pump() {
    int dispatched = 0;
    Message m;
    while (messagePeek(m, PeekMode::Remove)) {
        if (m.message == WM_QUIT) {
            quitRead = true;
            break;
        }
        messageTranslate(m);
        messageDispatch(m);
        if (++dispatched > 100000) {
            ADD_FAILURE() << "the queue never empties";
            break;
        }
    }
    return dispatched;
}

WindowHandle HeadlessWindows::makeWindow(std::uint32_t style, Rect rect, WindowHandle parent,
                                         std::uint32_t exStyle, std::string_view className) {
    return windowCreate(exStyle, className, "", style, rect.left, rect.top, rect.width(), rect.height(),
                        parent);
}

std::vector<Received> HeadlessWindows::receivedBy(WindowHandle window, std::uint32_t message) const {
    std::vector<Received> out;
    std::copy_if(received.begin(), received.end(), std::back_inserter(out),
                 [&](const Received& r) { return r.window == window && r.message == message; });
    return out;
}

std::vector<std::uint32_t> HeadlessWindows::sequence(std::initializer_list<std::uint32_t> only) const {
    std::vector<std::uint32_t> out;
    for (const Received& r : received) {
        if (std::find(only.begin(), only.end(), r.message) != only.end())
            out.push_back(r.message);
    }
    return out;
}

} // namespace q71::test
