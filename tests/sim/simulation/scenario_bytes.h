#pragma once
// Scenario files built byte by byte for the tests, at the offsets the file format gives,
// without the program's own writer: what the reader makes of them is checked against what
// was put in.

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace q71::test {

/// Little-endian values put at offsets of a block of bytes.
class ByteBlock {
public:
    explicit ByteBlock(size_t size) : bytes_(size, '\0') {}
    void put32(size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<char>(v >> (8 * i));
    }
    void putF64(size_t at, double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i)
            bytes_[at + i] = static_cast<char>(bits >> (8 * i));
    }
    void putText(size_t at, const std::string& text) { bytes_.replace(at, text.size(), text); }
    void putByte(size_t at, std::uint8_t v) { bytes_[at] = static_cast<char>(v); }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

inline std::string le32(std::uint32_t v) {
    ByteBlock b(4);
    b.put32(0, v);
    return b.bytes();
}

/// A text block: its length counting the NUL, the text and the NUL; 0 alone for none.
inline std::string textBlock(const std::optional<std::string>& text) {
    if (!text)
        return le32(0);
    return le32(static_cast<std::uint32_t>(text->size() + 1)) + *text + std::string(1, '\0');
}

struct WaypointBytes {
    double x = 0, y = 0;
    std::int32_t depth = 0, speed = 0;
    std::string bytes() const {
        ByteBlock b(24);
        b.putF64(0, x);
        b.putF64(8, y);
        b.put32(16, static_cast<std::uint32_t>(depth));
        b.put32(20, static_cast<std::uint32_t>(speed));
        return b.bytes();
    }
};

struct RecordBytes {
    double x = 0, y = 0;
    std::uint32_t type = 1, side = 2;
    std::string typeName = "Akula";
    std::uint32_t level = 2, mode = 2;
    std::int32_t course = 0, depth = 0, speed = 0;
    double west = 0, south = 0, east = 0, north = 0;
    std::uint8_t areaFlag = 0;
    double delay = 0;
    std::int32_t goal1 = 0, goal2 = 0;
    std::uint32_t randomFlag = 0;
    double randomWidth = 0, randomHeight = 0;
    std::vector<WaypointBytes> waypoints;
    std::optional<std::uint32_t> countOverride; ///< a waypoint count that lies
    bool fillReserved = true;                   ///< garbage in the reserved bytes, which are never read

    std::string bytes() const {
        ByteBlock b(192);
        if (fillReserved)
            b.putText(0, "reserved");
        b.putF64(8, x);
        b.putF64(16, y);
        b.put32(24, type);
        b.put32(28, side);
        b.putText(32, typeName);
        b.put32(64, level);
        b.put32(68, mode);
        b.put32(72, static_cast<std::uint32_t>(course));
        b.put32(76, static_cast<std::uint32_t>(depth));
        b.put32(80, static_cast<std::uint32_t>(speed));
        b.putF64(88, west);
        b.putF64(96, south);
        b.putF64(104, east);
        b.putF64(112, north);
        b.putByte(124, areaFlag);
        b.put32(128, countOverride.value_or(static_cast<std::uint32_t>(waypoints.size())));
        b.putF64(136, delay);
        b.put32(144, static_cast<std::uint32_t>(goal1));
        b.put32(148, static_cast<std::uint32_t>(goal2));
        b.put32(152, randomFlag);
        b.putF64(160, randomWidth);
        b.putF64(168, randomHeight);
        std::string all = b.bytes();
        for (const WaypointBytes& w : waypoints)
            all += w.bytes();
        return all;
    }
};

struct ScenarioBytes {
    std::optional<std::string> texts[5] = {"Patrouille", "Mission 1", "Le briefing", std::nullopt,
                                           "Les ordres"};
    double latitude = 49.0, longitude = -172.0;
    std::uint32_t timeOfDay = 3, seaState = 4, soundProfile = 2, bottomType = 1;
    std::vector<RecordBytes> records;
    std::string goals = le32(0); ///< the goal section: no goal at all
    std::string thresholds = le32(10) + le32(20) + le32(30) + le32(40) + le32(50);
    bool fillReserved = true;

    std::string header() const {
        ByteBlock b(56);
        b.putF64(0, latitude);
        b.putF64(8, longitude);
        b.put32(16, timeOfDay);
        if (fillReserved)
            b.putText(20, "not read either");
        b.put32(40, seaState);
        b.put32(44, soundProfile);
        b.put32(48, bottomType);
        return b.bytes();
    }
    std::string bytes() const {
        std::string all;
        for (const auto& text : texts)
            all += textBlock(text);
        all += header() + le32(static_cast<std::uint32_t>(records.size()));
        for (const RecordBytes& r : records)
            all += r.bytes();
        return all + goals + thresholds;
    }
};

} // namespace q71::test
