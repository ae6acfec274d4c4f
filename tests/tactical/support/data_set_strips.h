#pragma once
// Checks of a station's bitmaps in the data set: a group selected, a bitmap of it at its size
// and frame count (frames stacked, each with a separator row).

#include "framework/resources/group_archive.h"
#include "framework/resources/registry.h"
#include "framework/widgets/widget_bitmap.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace q71::test {

/// Selects a group of the data set's graphics.
inline void openDataSetGroup(const char* group) {
    grpSetFolder(graphicsInstallPath);
    ASSERT_TRUE(grpOpenGroup(group)) << group;
}

/// Loads a bitmap of the selected group and checks its size: `frames` frames of width by height,
/// each with a separator row (none with `separated` false), or one picture of that size.
inline void expectStrip(const char* group, const char* name, int width, int height, int frames,
                        bool separated = true) {
    WidgetBitmap bitmap;
    ASSERT_TRUE(bitmap.load(name)) << group << ": " << name;
    std::int32_t w = 0, h = 0;
    std::memcpy(&w, bitmap.header().data() + 4, 4);
    std::memcpy(&h, bitmap.header().data() + 8, 4);
    EXPECT_EQ(w, width) << group << ": " << name;
    EXPECT_EQ(std::abs(h), frames == 1 ? height : frames * (height + (separated ? 1 : 0))) << group << ": " << name;
}

} // namespace q71::test
