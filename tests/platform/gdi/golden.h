#pragma once
// Golden images of the drawing layer's tests, in tests/platform/gdi/golden/.

#include "support/golden_image.h"

namespace q71::test {

/// Checks the bitmap against the golden image of that name.
inline ::testing::AssertionResult matchesGolden(const Bitmap& bitmap, const std::string& name) {
    return matchesGoldenIn("tests/platform/gdi/golden", bitmap, name);
}

} // namespace q71::test
