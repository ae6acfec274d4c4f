#pragma once
// A control of a station's console as a row of its table: the command id, where it stands, its
// size, its frames and its strip. The station builds its widget from the row and the data set
// draws the strip from the same row.

namespace q71 {

struct StationControlRow {
    int id, x, y, width, height, frames;
    const char* bitmap;
};

} // namespace q71
