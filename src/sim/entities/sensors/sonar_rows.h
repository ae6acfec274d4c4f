#pragma once
// The rows the own boat's receivers keep for the sonar displays. A broadband row holds, for
// one moment, the level heard on each of 256 bearing bins, the range of the loudest sound per
// bin, the own heading and the row's self-noise; a narrowband row holds, per bin, the
// signature lines heard there. Rows live in rings that never reallocate: a new row is taken
// by moving the ring's write index down by one (0 wraps to the last row), and the read index
// moves along when the two meet, so the ring reads newest first from the write index up to
// the read index.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

/// Bearing bins of a row: 256 over the circle.
inline constexpr int kBearingBins = 256;

/// The bin of a bearing in degrees (any value; it is brought into the circle first).
int bearingBin(double bearing);
/// The whole degree at which a bin starts.
int binDegrees(int bin);

/// One broadband row (1040 bytes in a saved mission).
struct BroadbandRow {
    double time = 0.0;                               ///< game time of the row
    std::array<std::uint16_t, kBearingBins> range{}; ///< yards to the loudest sound per bin
    std::uint16_t value = 0;                         ///< the own heading, whole degrees
    std::array<std::uint16_t, kBearingBins> level{}; ///< level per bin, 0 to 100
    std::uint16_t selfNoise = 0;                     ///< the row's background level
    std::uint32_t reserved = 0;
};

/// One signature line heard on a bin of a narrowband row (6 bytes in a saved mission).
struct LineItem {
    std::int16_t source = 0;     ///< the entity heard
    std::uint16_t frequency = 0; ///< Hz
    std::uint8_t line = 0;       ///< index of the line among the source's
    std::uint8_t level = 0;      ///< 0 to 100
};

/// One narrowband row: the lines heard on each bin.
struct NarrowbandRow {
    double time = 0.0;
    std::uint16_t heading = 0; ///< the own heading, whole degrees
    std::array<std::vector<LineItem>, kBearingBins> bins;

    /// Empties every bin, keeping their storage for the next use of the row.
    void clear();
    /// The lines of a bin.
    std::span<const LineItem> lines(int bin) const { return bins[static_cast<std::size_t>(bin & 0xFF)]; }
    /// Adds a line to a bin, or raises the level of the bin's line of that source and frequency.
    void addLine(int bin, const LineItem& item);
};

/// A fixed ring of rows, newest first from the write index.
template <class Row> class SoundRing {
public:
    explicit SoundRing(std::size_t rows) : rows_(rows) {}

    /// Rows the ring holds at most.
    std::size_t capacity() const { return rows_.size(); }
    /// The newest row's index.
    std::size_t writeIndex() const { return write_; }
    /// The oldest row's index.
    std::size_t readIndex() const { return read_; }
    /// Rows held, from the newest to the oldest (at least the newest).
    std::size_t count() const { return (read_ + rows_.size() - write_) % rows_.size() + 1; }
    /// The newest row.
    const Row& head() const { return rows_[write_]; }
    Row& head() { return rows_[write_]; }
    /// A row by its age: 0 the newest, count() − 1 the oldest.
    const Row& newest(std::size_t age) const { return rows_[(write_ + age) % rows_.size()]; }
    /// A row by its index in the ring.
    const Row& row(std::size_t index) const { return rows_[index % rows_.size()]; }
    Row& row(std::size_t index) { return rows_[index % rows_.size()]; }
    /// Takes the next row: it becomes the newest, as it was left (the caller clears it).
    Row& take() {
        write_ = before(write_);
        if (write_ == read_)
            read_ = before(read_);
        return rows_[write_];
    }
    /// Puts the indices back as a saved ring had them; false when one lies outside the ring.
    bool setIndices(std::size_t write, std::size_t read) {
        if (write >= rows_.size() || read >= rows_.size())
            return false;
        write_ = write;
        read_ = read;
        return true;
    }

private:
    std::size_t before(std::size_t index) const { return index == 0 ? rows_.size() - 1 : index - 1; }

    std::vector<Row> rows_;
    std::size_t write_ = 0, read_ = 0;
};

/// A long-term broadband history: a ring of rows and the working row that gathers the sounds of
/// the present interval before it goes into the ring.
struct LongTermHistory {
    static constexpr std::size_t kRows = 135;

    SoundRing<BroadbandRow> ring{kRows};
    BroadbandRow working;
    std::int32_t reserved = 0;
};

} // namespace q71
