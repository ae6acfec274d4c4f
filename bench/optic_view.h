#pragma once
// A 3-D view set up as the periscope optic sets it up, for the benchmarks: the headless window
// system on a fake clock, a parent window, and the view with animated sea, low-ground patch,
// hull-down, far clip 1800, fog and a day sky (or the optic itself). Its art is made here
// (plain textures and skies, MadeArchive), or with `dataSetArt` read from the data set's archives.

#include "framework/resources/group_archive.h"
#include "platform/display/headless_backend.h"
#include "platform/window/clock.h"
#include "platform/window/default_proc.h"
#include "platform/window/window.h"
#include "platform/window/window_class.h"
#include "platform/window/window_styles.h"
#include "platform/window/window_system.h"
#include "render3d/format.h"
#include "render3d/library.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/periscope/scope.h"
#include "tactical/rwutils/rw_archive.h"
#include "tactical/rwutils/rw_widget.h"

#include <memory>

namespace q71::bench {

// Sky and sea made here: the view needs only their names.
class MadeArchive final : public RwArchive {
public:
    std::optional<RwBytes> read(const std::string& group, const std::string& name) override {
        RwBytes out;
        if (name.ends_with(".bmp") && name.starts_with("sea")) {
            r3d::TextureRecord t{name, 64, 64, {std::vector<std::uint8_t>(64 * 64 * 4, 200)}};
            r3d::encodeTexture(t, out);
        } else if (group == "textures" && name.find_first_of("0123456789") != std::string::npos &&
                   !name.starts_with("land")) {
            r3d::ImageRecord i{512, 256, std::vector<std::uint8_t>(512 * 256 * 3, 120)};
            r3d::encodeImage(i, out);
        } else {
            r3d::TextureRecord t{name, 64, 64, {std::vector<std::uint8_t>(64 * 64 * 4, 160)}};
            r3d::encodeTexture(t, out);
        }
        return out;
    }
    bool readInBackground(const std::string&, const std::string&, RwReadDone) override { return false; }
};

struct OpticView {
    FakeClock clock{1000};
    HeadlessBackend display;
    WindowSystemSession session{display, clock};
    MadeArchive archive;
    WindowHandle parent{};
    std::unique_ptr<RWWidget> view;

    /// A plain view, or with `scope` the periscope optic itself.
    OpticView(int width, int height, bool scope = false, bool dataSetArt = false) {
        r3d::openLibrary(r3d::kDevice, {});
        rwInstallArchive(dataSetArt ? nullptr : &archive);
        WindowClass c;
        c.name = "BenchParent";
        c.procedure = windowDefaultProc;
        classRegister(c);
        parent = windowCreate(0, "BenchParent", "", WS_VISIBLE, 0, 0, 640, 480, {});
        simClock().dayPhase = kDayPhaseDay;
        if (scope) {
            view = std::make_unique<Scope>("scope", parent, 0, 0, width, height);
        } else {
            view = std::make_unique<RWWidget>("optic", parent, 0, 0, width, height);
            view->addLayer(kLayerSea, 0);
            view->addLayer(kLayerLowGround, 1);
            view->setHullDown(true);
            view->setFarClip(1800.0f);
        }
        view->setSeaState(3);
        view->enableFog();
        grpInitAsync();
        view->createScene();
        grpWaitAll();
        view->setFarClip(1800.0f);
        view->show();
        view->setCameraPosition(0, 0, 6.0);
        view->setCameraAngles(0, 30, 0);
    }
    ~OpticView() {
        view.reset();
        rwInstallArchive(nullptr);
        r3d::closeLibrary();
    }
};

} // namespace q71::bench
