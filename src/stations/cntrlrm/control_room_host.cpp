#include "stations/cntrlrm/control_room_host.h"

#include "framework/app/window_object.h"
#include "stations/geninfo/gen_info.h"

namespace q71 {
namespace {

class GenInfoHost final : public ControlRoomHost {
public:
    explicit GenInfoHost(WindowHandle window) : window_(window) {}

    bool stationOpen(int station) const override {
        const GenInfo* host = windowObjectAs<GenInfo>(window_);
        return host && host->stationOpen(station);
    }
    void selectStation(int station) override {
        if (GenInfo* host = windowObjectAs<GenInfo>(window_))
            host->selectStation(station);
    }

private:
    WindowHandle window_;
};

} // namespace

std::unique_ptr<ControlRoomHost> controlRoomHostOf(WindowHandle hostWindow) {
    return std::make_unique<GenInfoHost>(hostWindow);
}

} // namespace q71
