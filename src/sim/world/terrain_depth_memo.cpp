#include "sim/world/terrain_depth_memo.h"

namespace q71 {

TerrainDepthMemo::TerrainDepthMemo() : slots_(std::make_unique<Slot[]>(std::size_t{kWays} << kSetBits)) {}

} // namespace q71
