#include "stations/geninfo/time_compression.h"

#include "framework/app/station_table.h"

#include <algorithm>

namespace q71 {

bool CompressionBook::switchTo(int s) {
    const int p = previous_;
    previous_ = s;
    if (p == s)
        return false;
    if (s == kStationPeriscope) {
        if (p == kStationEntityViewer) {
            passage_ = level_;
            if (level_ != 1)
                normal_ = level_;
        } else {
            passage_ = 1;
            normal_ = level_;
        }
        level_ = 1;
        return true;
    }
    if (s == kStationEntityViewer) {
        if (p == kStationPeriscope) {
            level_ = passage_;
        } else {
            normal_ = level_;
            level_ = 1;
        }
        return true;
    }
    if (p == kStationPeriscope || (p == kStationEntityViewer && level_ == 1)) {
        level_ = normal_;
        return true;
    }
    return false;
}

bool CompressionBook::step(int delta) {
    if (previous_ == kStationPeriscope)
        return false;
    level_ = std::clamp(level_ + delta, kLowest, kHighest);
    return true;
}

int compressionInForce(int level, bool networkGame) {
    return networkGame ? 1 : level;
}

} // namespace q71
