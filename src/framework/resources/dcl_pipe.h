#pragma once
// Connects the codec's callbacks to a source and a sink: DclPipe<Source, Sink> is passed as the
// callbacks' parameter and forwards reads to source.take and writes to sink.put. The sources and
// sinks over memory live here; those over files beside the group archives.

#include "framework/resources/dcl.h"

#include <atomic>
#include <cstdint>

namespace q71 {

/// Input from a block of memory.
struct DclMemorySource {
    const uint8_t* data;
    uint32_t size;
    uint32_t position = 0;

    /// Copies min(wanted, remaining) bytes and advances; returns how many.
    uint32_t take(uint8_t* buffer, uint32_t wanted);
    /// True when every byte was taken.
    bool exhausted() const { return position == size; }
};

/// Output into a block of `capacity` bytes. `delivered` counts the bytes written so far and may be
/// watched from another thread; output past the capacity is dropped and flagged, never written.
struct DclMemorySink {
    uint8_t* data;
    uint32_t capacity;
    std::atomic<uint32_t>* delivered;
    bool overflowed = false;

    /// Appends after the bytes delivered so far.
    void put(const uint8_t* buffer, uint32_t size);
};

template <class Source, class Sink> struct DclPipe {
    Source source;
    Sink sink;

    static uint32_t read(uint8_t* buffer, uint32_t* size, void* pipe) {
        return static_cast<DclPipe*>(pipe)->source.take(buffer, *size);
    }
    static void write(const uint8_t* buffer, uint32_t size, void* pipe) {
        static_cast<DclPipe*>(pipe)->sink.put(buffer, size);
    }
};

/// `explode` from the pipe's source into its sink.
template <class Source, class Sink> int dclExplode(DclPipe<Source, Sink>& pipe, void* work) {
    return explode(DclPipe<Source, Sink>::read, DclPipe<Source, Sink>::write, work, &pipe);
}

/// `implode` from the pipe's source into its sink.
template <class Source, class Sink>
int dclImplode(DclPipe<Source, Sink>& pipe, void* work, int mode, uint32_t dictionarySize) {
    return implode(DclPipe<Source, Sink>::read, DclPipe<Source, Sink>::write, work, &pipe, mode,
                   dictionarySize);
}

} // namespace q71
