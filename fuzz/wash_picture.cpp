// Checks arbitrary bytes as a bitmap member and takes what passes as a wash image of the
// periscope optic, then blends it over a small picture at every level and a row offset read
// from the bytes: an image whose rows or palette reached past the bytes would be caught.
#include "framework/dibutils/dib_utils.h"
#include "tactical/periscope/scope_optics.h"

#include <cstring>
#include <vector>

using namespace q71;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ResourceRef ref;
    ref.name = "wash.bmp";
    ref.data = new uint8_t[size];
    if (size > 0)
        std::memcpy(ref.data, data, size);
    ref.size = static_cast<uint32_t>(size);
    ref.delivered = ref.size;
    WashPicture wash;
    if (dibRawCheck(ref) && washPictureFrom(ref.dibHeader, ref.dibBits, wash)) {
        // An odd-sized picture with a row step wider than its rows.
        std::vector<std::uint16_t> words(24 * 13, 0xFFFF);
        const r3d::ImagePixels image{words.data(), 17, 13, 48};
        const int offset = size > 0 ? data[size - 1] : 0;
        for (int level = -1; level <= 5; level += 3)
            blendWash(image, wash, level, offset);
    }
    delete[] ref.data;
    return 0;
}
