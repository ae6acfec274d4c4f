#include "platform/resources/program_resources.h"

#include "platform/files/little_endian.h"
#include "platform/files/locations.h"
#include "platform/files/path.h"
#include "platform/gdi/blit.h"
#include "platform/resources/cursor_file.h"
#include "platform/window/cursors.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace q71 {
namespace {

constexpr std::size_t kBitmapFileHeaderSize = 14;
// Larger than any resource of the program; a bigger file is not one of them.
constexpr std::uintmax_t kMaxResourceBytes = 16u << 20;

std::vector<std::uint8_t> readResource(const std::string& name) {
    std::ifstream in(fileResolvePath(locationDataRoot() + "/resources/" + name), std::ios::binary);
    std::vector<std::uint8_t> bytes;
    if (!in)
        return bytes;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || static_cast<std::uintmax_t>(size) > kMaxResourceBytes)
        return bytes;
    in.seekg(0);
    bytes.resize(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        bytes.clear();
    return bytes;
}

} // namespace

CursorHandle resourceLoadCursor(int number) {
    std::string error;
    auto image = cursorFileDecode(readResource("cursor" + std::to_string(number) + ".cur"), error);
    CursorHandle cursor = image ? cursorCreate(*image) : CursorHandle{};
    return cursor != CursorHandle{} ? cursor : cursorArrow();
}

BitmapRef resourceLoadBitmap(int number) {
    return resourceDecodeBitmap(readResource("bitmap" + std::to_string(number) + ".bmp"));
}

BitmapRef resourceDecodeBitmap(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kBitmapFileHeaderSize || bytes[0] != 'B' || bytes[1] != 'M')
        return nullptr;
    const std::size_t bitsOffset = loadLe32(bytes.data() + 10);
    if (bitsOffset <= kBitmapFileHeaderSize || bitsOffset > bytes.size())
        return nullptr;
    return createDIBitmap(bytes.subspan(kBitmapFileHeaderSize, bitsOffset - kBitmapFileHeaderSize),
                          bytes.subspan(bitsOffset));
}

} // namespace q71
