// Reads arbitrary bytes as a cursor file and as a bitmap resource; what is accepted is read
// whole, so that an image or bits reaching past the bytes would be caught.
#include "platform/resources/program_resources.h"
#include "platform/resources/cursor_file.h"

#include <cstdint>
#include <string>

using namespace q71;

namespace {
volatile std::uint32_t sink;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    std::string error;
    if (auto image = cursorFileDecode(bytes, error)) {
        std::uint32_t sum = 0;
        for (std::uint32_t pixel : image->argb)
            sum += pixel;
        sink = sum;
        // What was read writes back to a file that reads the same.
        const std::string file = cursorFileEncode(*image);
        auto again = cursorFileDecode(
            std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()), error);
        if (!again || again->argb != image->argb)
            __builtin_trap();
    }
    if (BitmapRef bitmap = resourceDecodeBitmap(bytes))
        sink = static_cast<std::uint32_t>(bitmap->width() * bitmap->height());
    return 0;
}
