#include "dialog_fixture.h"

#include "platform/window/message_ids.h"

namespace q71::test {

DialogTest* DialogTest::current_ = nullptr;

DialogTest::DialogTest() {
    current_ = this;
}

DialogTest::~DialogTest() {
    current_ = nullptr;
}

LResult DialogTest::procedure(WindowHandle dialog, std::uint32_t message, WParam wParam, LParam lParam) {
    if (!current_)
        return 0;
    Received r{dialog, message, wParam, lParam};
    current_->dialogReceived.push_back(r);
    if (current_->onDialog)
        if (auto answer = current_->onDialog(r))
            return *answer;
    return 0;
}

std::vector<Received> DialogTest::dialogGot(std::uint32_t message) const {
    std::vector<Received> out;
    for (const Received& r : dialogReceived)
        if (r.message == message)
            out.push_back(r);
    return out;
}

void DialogTest::endOnCommand() {
    onDialog = [](const Received& r) -> std::optional<LResult> {
        if (r.message != WM_COMMAND || hiWord(r.wParam) != 0) // clicks only, not the fields' notifications
            return std::nullopt;
        dialogEnd(r.window, loWord(r.wParam));
        return 1;
    };
}

} // namespace q71::test
