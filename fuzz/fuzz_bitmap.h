#pragma once
// What the fuzz targets of bitmap strips share: the input's bytes as a bitmap file a group
// archive delivers, checked as the program checks one, and a small target to draw into.

#include "framework/dibutils/dib_utils.h"
#include "platform/gdi/bitmap.h"
#include "platform/gdi/device_context.h"

#include <cstdint>
#include <vector>

namespace q71::fuzz {

/// Points `ref` at `file` as an archive member and checks it; false when it is no usable bitmap.
inline bool bitmapMember(std::vector<std::uint8_t>& file, ResourceRef& ref) {
    ref.name = "fuzz.bmp";
    ref.data = file.data();
    ref.size = static_cast<std::uint32_t>(file.size());
    ref.delivered = ref.size;
    return dibRawCheck(ref) != 0;
}

/// A memory context over a 64 by 64 bitmap, made once per run.
inline DeviceContext& drawingTarget() {
    static BitmapRef target = Bitmap::createCompatible(64, 64);
    static auto dc = [] {
        auto memory = DeviceContext::createMemory();
        memory->selectBitmap(target);
        return memory;
    }();
    return *dc;
}

} // namespace q71::fuzz
