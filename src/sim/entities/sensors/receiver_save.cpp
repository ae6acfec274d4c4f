// A receiver in a saved mission, after its Sensor block: the narrowband lines, the broadband
// rows, the two long-term histories, the four trackers and the remembered axis, all integers
// little-endian. Every count and index read is checked against the receiver's buffers and the
// bytes left, so a damaged save is refused, never read past.
#include "sim/entities/field_codec.h"
#include "sim/entities/sensors/receiver_sensor.h"
#include "sim/scoring/byte_stream.h"

namespace q71 {

namespace {

constexpr std::size_t kRowBytes = 1040;
constexpr std::size_t kRingHeader = 12; // write index, read index, presence
constexpr std::size_t kLineBytes = 6;
constexpr std::size_t kMostLinesInBin = 65535;
constexpr std::size_t kPingRingRows = 4;
constexpr std::size_t kInterceptRingRows = 5;
constexpr std::size_t kFineRingRows = 135;

template <class Row, class Codec> void rowFields(Row& row, Codec&& c) {
    c.f64(row.time);
    for (auto& range : row.range)
        c.u16(range);
    c.u16(row.value);
    for (auto& level : row.level)
        c.u16(level);
    c.u16(row.selfNoise);
    c.u32(row.reserved);
}

bool validRow(const BroadbandRow& row) {
    for (std::uint16_t level : row.level)
        if (level > 100)
            return false;
    return true;
}

// The header of a ring: its indices and whether the receiver keeps it.
template <class Row> void writeHeader(FieldWriter& w, const SoundRing<Row>* ring) {
    w.u32(ring ? static_cast<std::uint32_t>(ring->writeIndex()) : 0);
    w.u32(ring ? static_cast<std::uint32_t>(ring->readIndex()) : 0);
    w.u32(ring ? 1 : 0);
}

void writeRing(FieldWriter& w, const SoundRing<BroadbandRow>* ring, std::size_t rows) {
    writeHeader(w, ring);
    if (ring)
        for (std::size_t i = 0; i < rows; ++i)
            rowFields(ring->row(i), FieldWriteCodec{w});
}

struct RingHeader {
    std::uint32_t write = 0, read = 0, present = 0;
};

bool readHeader(ByteSource& source, RingHeader& header) {
    FieldReader r(source, kRingHeader);
    r.u32(header.write);
    r.u32(header.read);
    r.u32(header.present);
    return r.ok();
}

bool readRows(ByteSource& source, SoundRing<BroadbandRow>& ring, std::size_t rows) {
    if (source.remaining() / kRowBytes < rows)
        return false;
    FieldReader r(source, rows * kRowBytes);
    for (std::size_t i = 0; i < rows; ++i)
        rowFields(ring.row(i), FieldReadCodec{r});
    if (!r.ok())
        return false;
    for (std::size_t i = 0; i < rows; ++i)
        if (!validRow(ring.row(i)))
            return false;
    return true;
}

void writeLongTerm(FieldWriter& w, const LongTermHistory* history) {
    writeRing(w, history ? &history->ring : nullptr, LongTermHistory::kRows);
    if (history)
        rowFields(history->working, FieldWriteCodec{w});
    w.i32(history ? history->reserved : 0);
    w.u32(history ? 1 : 0);
}

bool readLongTerm(ByteSource& source, std::unique_ptr<LongTermHistory>& history) {
    RingHeader header;
    if (!readHeader(source, header))
        return false;
    if (header.present) {
        if (!history)
            history = std::make_unique<LongTermHistory>();
        if (!readRows(source, history->ring, LongTermHistory::kRows) ||
            !history->ring.setIndices(header.write, header.read))
            return false;
        FieldReader working(source, kRowBytes);
        rowFields(history->working, FieldReadCodec{working});
        if (!working.ok() || !validRow(history->working))
            return false;
    }
    FieldReader tail(source, 8);
    std::int32_t reserved = 0;
    std::uint32_t workingPresent = 0;
    tail.i32(reserved);
    tail.u32(workingPresent);
    if (history)
        history->reserved = reserved;
    return tail.ok();
}

void writeNarrowband(FieldWriter& w, const SoundRing<NarrowbandRow>* lines) {
    writeHeader(w, lines);
    if (!lines)
        return;
    for (std::size_t i = 0; i < lines->capacity(); ++i) {
        const NarrowbandRow& row = lines->row(i);
        w.f64(row.time);
        w.u16(row.heading);
        for (int bin = 0; bin < kBearingBins; ++bin) {
            const std::span<const LineItem> items = row.lines(bin);
            w.u32(items.empty() ? 0 : 1);
            if (items.empty())
                continue;
            w.u32(static_cast<std::uint32_t>(items.size()));
            for (const LineItem& item : items) {
                w.u16(static_cast<std::uint16_t>(item.source));
                w.u16(item.frequency);
                w.u8(item.line);
                w.u8(item.level);
            }
        }
    }
}

bool readBin(ByteSource& source, NarrowbandRow& row, int bin) {
    std::uint32_t present = 0, count = 0;
    {
        FieldReader r(source, 4);
        r.u32(present);
        if (!r.ok())
            return false;
    }
    if (!present)
        return true;
    FieldReader counted(source, 4);
    counted.u32(count);
    if (!counted.ok() || count == 0 || count > kMostLinesInBin || source.remaining() / kLineBytes < count)
        return false;
    FieldReader r(source, count * kLineBytes);
    for (std::uint32_t i = 0; i < count; ++i) {
        LineItem item;
        std::uint16_t sourceBits = 0;
        r.u16(sourceBits);
        r.u16(item.frequency);
        r.u8(item.line);
        r.u8(item.level);
        item.source = static_cast<std::int16_t>(sourceBits);
        if (item.level > 100)
            return false;
        row.bins[static_cast<std::size_t>(bin)].push_back(item);
    }
    return r.ok();
}

bool readNarrowband(ByteSource& source, std::unique_ptr<SoundRing<NarrowbandRow>>& lines) {
    RingHeader header;
    if (!readHeader(source, header))
        return false;
    if (!header.present)
        return true;
    if (!lines)
        lines = std::make_unique<SoundRing<NarrowbandRow>>(ReceiverSensor::kNarrowbandRows);
    for (std::size_t i = 0; i < lines->capacity(); ++i) {
        NarrowbandRow& row = lines->row(i);
        row.clear();
        FieldReader r(source, 10);
        r.f64(row.time);
        r.u16(row.heading);
        if (!r.ok())
            return false;
        for (int bin = 0; bin < kBearingBins; ++bin)
            if (!readBin(source, row, bin))
                return false;
    }
    return lines->setIndices(header.write, header.read);
}

} // namespace

std::size_t ReceiverSensor::savedBroadbandRows() const {
    if (type == kSensorIntercept || type == kSensorEsm)
        return kInterceptRingRows;
    return type == kSensorActive ? kPingRingRows : kFineRingRows;
}

bool ReceiverSensor::save(ByteSink& sink) const {
    if (!Sensor::save(sink))
        return false;
    FieldWriter w;
    writeNarrowband(w, narrowband_.get());
    const std::size_t rows = savedBroadbandRows();
    writeRing(w, broadband_ && broadband_->capacity() == rows ? broadband_.get() : nullptr, rows);
    writeLongTerm(w, longTerm1_.get());
    writeLongTerm(w, longTerm2_.get());
    for (const TrackSlot& tracker : trackers_)
        tracker.write(w);
    w.f64(rememberedAxis_);
    w.i32(reservedAfterAxis_);
    return w.flush(sink);
}

bool ReceiverSensor::load(ByteSource& source) {
    // The saved type must be the receiver's own: it numbers contacts and indexes tables by it.
    const std::int32_t ownType = type;
    if (!Sensor::load(source) || type != ownType) {
        type = ownType;
        return false;
    }
    if (!readNarrowband(source, narrowband_))
        return false;
    RingHeader header;
    if (!readHeader(source, header))
        return false;
    if (header.present) {
        const std::size_t rows = savedBroadbandRows();
        if (!broadband_ || broadband_->capacity() != rows)
            broadband_ = std::make_unique<SoundRing<BroadbandRow>>(rows);
        if (!readRows(source, *broadband_, rows) || !broadband_->setIndices(header.write, header.read))
            return false;
    }
    if (!readLongTerm(source, longTerm1_) || !readLongTerm(source, longTerm2_))
        return false;
    FieldReader r(source, kTrackers * TrackSlot::kSavedSize + 12);
    bool trackersValid = true;
    for (TrackSlot& tracker : trackers_)
        trackersValid = tracker.read(r) && trackersValid;
    r.f64(rememberedAxis_);
    r.i32(reservedAfterAxis_);
    return r.ok() && trackersValid;
}

} // namespace q71
