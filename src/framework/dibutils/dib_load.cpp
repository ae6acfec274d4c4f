// Loading bitmap files. The loaded header block always holds the 40-byte form: a 108-byte header
// is cut to its first 40 bytes (its masks moved behind them) and a core header is converted.
#include "framework/app/reporter.h"
#include "framework/dibutils/dib_fields.h"
#include "framework/dibutils/dib_utils.h"
#include "platform/files/little_endian.h"
#include "platform/files/path.h"
#include "platform/gdi/dib_format.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace q71 {

using namespace dib;

namespace {

constexpr const char* kSource = "dibUtils";

struct PathPrefix {
    std::string folder;
    bool on = false;
};

PathPrefix& prefix() {
    static PathPrefix instance;
    return instance;
}

class BitmapFile {
public:
    explicit BitmapFile(const std::string& path) : file_(fileOpen(path, "rb")) {}
    ~BitmapFile() {
        if (file_)
            std::fclose(file_);
    }
    BitmapFile(const BitmapFile&) = delete;
    BitmapFile& operator=(const BitmapFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    uint64_t size() {
        long end = std::fseek(file_, 0, SEEK_END) == 0 ? std::ftell(file_) : -1;
        return end < 0 ? 0 : static_cast<uint64_t>(end);
    }
    bool readAt(long offset, void* buffer, size_t count) {
        return std::fseek(file_, offset, SEEK_SET) == 0 && std::fread(buffer, 1, count, file_) == count;
    }

private:
    std::FILE* file_;
};

int warn(const char* message, int line) {
    reportWarning(message, line, kSource, 0);
    return 0;
}

// The 40-byte form of a 12-byte core header: size, width, height, planes and bit count.
void convertCoreHeader(const uint8_t* core, uint8_t* info) {
    std::memset(info, 0, kInfoHeaderSize);
    storeLe32(info, kInfoHeaderSize);
    storeLe32(info + kWidth, loadLe16(core + 4));
    storeLe32(info + kHeight, loadLe16(core + 6));
    storeLe16(info + kPlanes, loadLe16(core + 8));
    storeLe16(info + kBitCount, loadLe16(core + 10));
}

std::optional<DibFormat> notDibFormat(const char* name) {
    warn("File is not Windows or PM DIB format", __LINE__);
    warn(name, __LINE__);
    return std::nullopt;
}

// Reads the header block (the header in its 40-byte form and its colour table or masks); the
// pixels it describes, or nullopt after a warning.
std::optional<DibFormat> readHeaderBlock(BitmapFile& file, const char* name, std::vector<uint8_t>& header) {
    uint8_t stored[kV4HeaderSize];
    if (!file.readAt(kFileHeaderSize, stored, 4)) {
        warn("Failed to read BITMAPINFOHEADER", __LINE__);
        return std::nullopt;
    }
    uint32_t storedSize = loadLe32(stored);
    uint8_t info[kInfoHeaderSize];
    if (storedSize == kCoreHeaderSize) {
        if (!file.readAt(kFileHeaderSize, stored, kCoreHeaderSize)) {
            warn("Failed to read BITMAPCOREHEADER", __LINE__);
            return std::nullopt;
        }
        convertCoreHeader(stored, info);
    } else if (storedSize == kInfoHeaderSize || storedSize == kV4HeaderSize) {
        if (!file.readAt(kFileHeaderSize, stored, storedSize)) {
            warn("Failed to read BITMAPINFOHEADER", __LINE__);
            return std::nullopt;
        }
        std::memcpy(info, stored, kInfoHeaderSize);
        storeLe32(info, kInfoHeaderSize);
    } else {
        storedSize = 0;
    }
    if (storedSize == 0 || !colorCountPlausible(info))
        return notDibFormat(name);

    uint32_t colors = dibNumColors(info);
    header.assign(info, info + kInfoHeaderSize);
    header.resize(kInfoHeaderSize + dibPaletteSize(info));
    uint8_t* table = header.data() + kInfoHeaderSize;
    long tableOffset = kFileHeaderSize + storedSize;
    if (storedSize == kCoreHeaderSize) {
        for (uint32_t i = 0; i < colors; ++i) {
            if (!file.readAt(tableOffset + 3 * long(i), table + 4 * i, 3)) {
                warn("Failed to read RGBTRIPLE", __LINE__);
                return std::nullopt;
            }
        }
    } else if (header.size() - kInfoHeaderSize == 12 && storedSize == kV4HeaderSize) {
        std::memcpy(table, stored + kV4Masks, 12);
    } else if (!file.readAt(tableOffset, table, header.size() - kInfoHeaderSize)) {
        warn("Failed to read color table", __LINE__);
        return std::nullopt;
    }
    // What is loaded can be drawn: the drawing layer accepts the block as it stands.
    std::optional<DibFormat> format = dibParseInfo(header);
    return format ? format : notDibFormat(name);
}

} // namespace

int dibCLoad(const char* name, std::vector<uint8_t>& header, std::vector<uint8_t>& bits) {
    dibFree(header, bits);
    const PathPrefix& p = prefix();
    BitmapFile file(p.on ? p.folder + "\\" + name : std::string(name));
    uint8_t fileHeader[kFileHeaderSize];
    if (!file.isOpen() || !file.readAt(0, fileHeader, kFileHeaderSize))
        return 0;
    if (loadLe16(fileHeader) != kFileType)
        return warn("Not a bitmap file", __LINE__);
    std::optional<DibFormat> format = readHeaderBlock(file, name, header);
    if (!format) {
        dibFree(header, bits);
        return 0;
    }
    // A file cannot hold more bits than its size: checked before anything is allocated for them.
    uint64_t bitsOffset = loadLe32(fileHeader + kFileBitsOffset);
    uint64_t size = format->imageSize();
    if (bitsOffset + size > file.size()) {
        dibFree(header, bits);
        return warn("Failed to read bits", __LINE__);
    }
    try {
        bits.resize(size);
    } catch (const std::bad_alloc&) {
        dibFree(header, bits);
        return warn("Out of memory for DIB bits", __LINE__);
    }
    if (!file.readAt(static_cast<long>(bitsOffset), bits.data(), bits.size())) {
        dibFree(header, bits);
        return warn("Failed to read bits", __LINE__);
    }
    return 1;
}

void dibFree(std::vector<uint8_t>& header, std::vector<uint8_t>& bits) {
    std::vector<uint8_t>().swap(header);
    std::vector<uint8_t>().swap(bits);
}

void dibSetPathPrefix(const char* folder) {
    PathPrefix& p = prefix();
    p.on = folder != nullptr;
    p.folder = folder ? folder : "";
}

void dibGetPathPrefix(char* buffer, size_t n) {
    if (n == 0)
        return;
    std::snprintf(buffer, n, "%s", prefix().folder.c_str());
}

bool dibPathPrefixOn() {
    return prefix().on;
}

} // namespace q71
