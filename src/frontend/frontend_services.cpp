#include "frontend/frontend_services.h"

#include "frontend/options/options_record.h"

namespace q71 {
namespace {

class ShellFrontEnd final : public AppFrontEnd {
public:
    void loadOptions() override { optionsLoad(); }
    std::int32_t optionsField(int field) const override { return optionsRecord().field(field); }
    // The entity viewer's camera starts where the viewer puts it when it is built; there is no
    // viewer yet whose camera could be reset.
    void resetEntityViewerCamera() override {}
};

class SimFrontEnd final : public FrontEnd {
public:
    std::int32_t optionsField(int field) const override { return optionsRecord().field(field); }
    bool entityViewerCamera(WorldPoint&) const override { return false; }
};

} // namespace

AppFrontEnd& frontEndShellServices() {
    static ShellFrontEnd services;
    return services;
}

FrontEnd& frontEndSimServices() {
    static SimFrontEnd services;
    return services;
}

} // namespace q71
