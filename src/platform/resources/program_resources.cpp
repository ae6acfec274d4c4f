#include "platform/resources/program_resources.h"

#include "platform/files/little_endian.h"
#include "platform/files/locations.h"
#include "platform/files/path.h"
#include "platform/gdi/blit.h"
#include "platform/resources/cursor_file.h"
#include "platform/window/cursors.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
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

// A missing resource is told once, by name, so a damaged data set shows in the log without a
// line for every screen that asks again.
void warnMissing(const std::string& name, const char* standIn) {
    static std::mutex lock;
    static std::set<std::string> told;
    const std::lock_guard guard(lock);
    if (told.insert(name).second)
        std::fprintf(stderr, "q71: warning: the resource %s/resources/%s is missing or damaged; %s\n",
                     locationDataRoot().c_str(), name.c_str(), standIn);
}

} // namespace

CursorHandle resourceLoadCursor(int number) {
    const std::string name = "cursor" + std::to_string(number) + ".cur";
    // Screens load their cursors whenever they are built: each is made once and kept.
    if (CursorHandle kept = cursorFindNamed(name); kept != CursorHandle{})
        return kept;
    std::string error;
    auto image = cursorFileDecode(readResource(name), error);
    CursorHandle cursor = image ? cursorCreate(*image) : CursorHandle{};
    if (cursor == CursorHandle{}) {
        warnMissing(name, "the arrow stands in");
        cursor = cursorArrow();
    }
    cursorKeepNamed(name, cursor);
    return cursor;
}

BitmapRef resourceLoadBitmap(int number) {
    const std::string name = "bitmap" + std::to_string(number) + ".bmp";
    BitmapRef bitmap = resourceDecodeBitmap(readResource(name));
    if (!bitmap)
        warnMissing(name, "nothing is drawn in its place");
    return bitmap;
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
