#pragma once
// One record of the object database: a kind of platform or object that can appear in a
// mission, 404 bytes on disk, little-endian. The record is decoded once into named fields;
// objectRecordLayout is the one place that says where each field lies in the bytes, and both
// the reader and the data-set writer go through it. docs/object-database.md lists the layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace q71 {

inline constexpr std::size_t kObjectRecordSize = 404;

/// A NUL-padded text field of fixed width. A full field without a NUL ends at its width.
template <std::size_t N> struct FixedText {
    std::array<char, N> bytes{};

    /// The text up to its first NUL.
    std::string_view view() const {
        std::size_t length = 0;
        while (length < N && bytes[length] != '\0')
            ++length;
        return {bytes.data(), length};
    }
    /// Stores a text that fits with its NUL; false (and nothing stored) when it does not.
    bool assign(std::string_view text) {
        if (text.size() >= N)
            return false;
        bytes.fill('\0');
        text.copy(bytes.data(), text.size());
        return true;
    }
    bool empty() const { return bytes[0] == '\0'; }
};

/// A moving part of a 3-D model: the child tagged `tag` turns (types 1 to 3, about X, Y, Z) or
/// swings (4 and 5) by `rate` degrees per frame.
struct AnimatedPart {
    std::int32_t tag = 0;
    std::int32_t motionType = 0;
    float rate = 0.0f;
};

/// A weapon load: the key name of the weapon's record and how many are carried.
struct WeaponLoad {
    FixedText<20> keyName;
    std::int16_t count = 0;
};

/// The kind of thing a record describes, the index of its category word; 11 for any other word.
enum EntityCategory : std::int32_t {
    kCategorySub = 0,
    kCategoryShip = 1,
    kCategoryTorp = 2,
    kCategoryCm = 3,
    kCategoryFloat = 4,
    kCategoryRock = 5,
    kCategoryMine = 6,
    kCategoryDepth = 7,
    kCategoryPlane = 8,
    kCategoryHelo = 9,
    kCategoryMissile = 10,
    kCategoryOther = 11,
};

/// The category words in category order.
inline constexpr std::array<std::string_view, 11> kCategoryWords = {
    "sub", "ship", "torp", "cm", "float", "rock", "mine", "depth", "plane", "helo", "missile"};

/// The category of a category word, compared exactly; 11 for any other word.
EntityCategory worldCategoryIndex(std::string_view word);

/// True when two key names are the same without regard to ASCII letter case, as records are found.
bool objectKeysMatch(std::string_view a, std::string_view b);

/// Record kinds: which entity a network peer's record makes.
enum ObjectKind : std::uint32_t {
    kObjectKindSubmarine = 1,
    kObjectKindSurfaceShip = 2,
    kObjectKindAircraft = 3,
};

struct ObjectRecord {
    FixedText<20> keyName;         ///< the name in scenarios and network messages; compared without case
    std::uint32_t id = 0;          ///< 1 to 149, unique
    FixedText<40> displayName;     ///< shown to the player (Windows-1252)
    FixedText<16> modelName;       ///< the 3-D model of the whole thing
    FixedText<16> secondModelName; ///< extra model parts (the halves of a broken hull, a wreck)
    FixedText<16> thirdModelName;  ///<
    float size = 0.0f;             ///< divisor of the seaway motion of a ship's model (0: none)
    std::int32_t classCode = 0;    ///< chooses the wake and trail of the 3-D views
    float emitterValue = 0.0f;     ///< above 0 for radar emitters the ESM can identify
    std::int16_t trailVariant = 0; ///< trail variant of class 0
    std::uint32_t kind = 0;        ///< an ObjectKind; 4 and 5 other objects
    FixedText<20> soundA;          ///< wave files the entity carries
    FixedText<20> soundB;          ///<
    std::array<AnimatedPart, 4> animatedParts{};
    float mastHeight = 0.0f;      ///< yards, for the stadimeter; 0 for no mast
    std::int16_t length = 0;      ///< feet
    std::int16_t beam = 0;        ///< feet
    std::int16_t height = 0;      ///< feet
    std::int16_t lineFactor = 0;    ///< DEMON: blade-rate lines at lineFactor × speed / 60 Hz (0: none)
    std::int16_t harmonicCount = 0; ///< DEMON: how many harmonics of that rate show
    std::int16_t maxSpeed = 0;    ///< speed units (0.508 m/s)
    std::int16_t testDepth = 0;   ///< feet, as a z value (negative)
    std::int16_t crushDepth = 0;  ///< feet, as a z value (negative)
    std::array<WeaponLoad, 3> weapons{};
    float signatureFactor = 0.0f; ///< loudness of the platform to the sonars (1 ordinary)
    float sonarFigure = 0.0f;     ///< range figure of its sonars, below 4; its sensor range
    float radarFigure = 0.0f;
    float esmFigure = 0.0f;
    float visualFigure = 0.0f;
    float type6Figure = 0.0f;                      ///< figure of the plain type-6 sensor
    float fallbackRange = 0.0f;                    ///< sensor range when the sonar figure is 0
    std::uint8_t armour = 0;                       ///< damage divisor; a weapon's or mine's warhead strength
    std::array<std::int32_t, 5> signatureValues{}; ///< signature line frequencies (0: none)
    std::array<std::int32_t, 4> signatureParameters{}; ///< attenuations of lines 2 to 5
    std::int16_t extraValueC = 0;                      ///< carried by the entity as it stands
    std::int16_t activeSonar = 0;                      ///< active sonar frequency in thousands (0: none)
    FixedText<12> categoryWord;                        ///< one of kCategoryWords
    std::int32_t weaponValue = 0;                      ///< as a weapon: its range in yards

    EntityCategory category() const { return worldCategoryIndex(categoryWord.view()); }
};

/// Visits every field with its byte offset: at(offset, field). The one statement of the layout.
template <class Record, class Visit> void objectRecordLayout(Record& r, Visit&& at) {
    at(0, r.keyName);
    at(20, r.id);
    at(24, r.displayName);
    at(64, r.modelName);
    at(80, r.secondModelName);
    at(96, r.thirdModelName);
    at(112, r.size);
    at(116, r.classCode);
    at(120, r.emitterValue);
    at(124, r.trailVariant);
    at(128, r.kind);
    at(132, r.soundA);
    at(152, r.soundB);
    for (std::size_t i = 0; i < r.animatedParts.size(); ++i) {
        at(172 + 12 * i, r.animatedParts[i].tag);
        at(176 + 12 * i, r.animatedParts[i].motionType);
        at(180 + 12 * i, r.animatedParts[i].rate);
    }
    at(220, r.mastHeight);
    at(224, r.length);
    at(226, r.beam);
    at(228, r.height);
    at(230, r.lineFactor);
    at(232, r.harmonicCount);
    at(234, r.maxSpeed);
    at(236, r.testDepth);
    at(238, r.crushDepth);
    for (std::size_t i = 0; i < r.weapons.size(); ++i) {
        at(240 + 22 * i, r.weapons[i].keyName);
        at(260 + 22 * i, r.weapons[i].count);
    }
    at(308, r.signatureFactor);
    at(312, r.sonarFigure);
    at(316, r.radarFigure);
    at(320, r.esmFigure);
    at(324, r.visualFigure);
    at(328, r.type6Figure);
    at(332, r.fallbackRange);
    at(336, r.armour);
    for (std::size_t i = 0; i < r.signatureValues.size(); ++i)
        at(340 + 4 * i, r.signatureValues[i]);
    for (std::size_t i = 0; i < r.signatureParameters.size(); ++i)
        at(360 + 4 * i, r.signatureParameters[i]);
    at(376, r.extraValueC);
    at(378, r.activeSonar);
    at(380, r.categoryWord);
    at(392, r.weaponValue);
}

/// Decodes one record from its 404 bytes; a real number that is not finite reads as 0 (not given).
ObjectRecord objectRecordDecode(std::span<const std::uint8_t, kObjectRecordSize> bytes);

/// Encodes a record into 404 bytes; bytes no field covers are 0.
std::array<std::uint8_t, kObjectRecordSize> objectRecordEncode(const ObjectRecord& record);

} // namespace q71
