#pragma once
// The front end's part of the loss of the own boat, reached from the host through hooks the
// front end installs at start-up: the options screen commits the page it shows, and the state
// room's "safe" page loses its first toggle. A hook not installed does nothing.

namespace q71 {

struct HostLossHooks {
    /// The options screen, when it exists, commits its current page.
    void (*commitOptions)() = nullptr;
    /// The state room's first "safe" toggle is disabled.
    void (*lockStateroomSafe)() = nullptr;
};

void genInfoSetLossHooks(const HostLossHooks& hooks);
const HostLossHooks& genInfoLossHooks();

} // namespace q71
