#include "sim/world/terrain_progress.h"

namespace q71 {

namespace {

class NullTerrainProgressBox final : public TerrainProgressBox {
public:
    void open(const char*, const char*, bool) override {}
    void setLevel(long, long) override {}
    bool pumpMessages() override { return false; }
    void close() override {}
};

NullTerrainProgressBox nullBox;
TerrainProgressBox* installedBox = &nullBox;

} // namespace

void worldSetProgressBox(TerrainProgressBox* box) {
    installedBox = box ? box : &nullBox;
}

TerrainProgressBox& worldProgressBox() {
    return *installedBox;
}

} // namespace q71
