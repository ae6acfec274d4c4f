#pragma once
// The rectangle a console control covers, from the row of its station's table (any row with x, y,
// width and height), so the art is drawn where the station places the widget.

#include "mkdata/movies/canvas.h"

namespace q71::mkdata {

template <class Row> Rect rowRect(const Row& row) {
    return {row.x, row.y, row.x + row.width, row.y + row.height};
}

} // namespace q71::mkdata
