#include "multiplayer/mp_session.h"

#include "sim/services/sim_services.h"

namespace q71 {
namespace {

class SessionNetwork final : public AppNetwork {
public:
    void poll() override { mpPoll(); }
    void resetState() override { mpResetState(); }
    void shutdown() override { mpShutdown(); }
    bool gameExists() const override { return simNetworkGame() != nullptr; }
};

} // namespace

MpSession& mpSession() {
    static MpSession session;
    return session;
}

void mpPoll() {
    // Messages arrive only over the links of a network game, and none can be made yet.
}

void mpResetState() {
    mpSession() = MpSession{};
}

void mpShutdown() {
    // Without a network game there is no session to end and no peer to tell.
}

AppNetwork& mpShellNetwork() {
    static SessionNetwork network;
    return network;
}

} // namespace q71
