#pragma once
// Block transfers: copying pixels between device contexts (including overlapping copies within
// one bitmap, for scrolling), filling with the brush, and setting device-independent bits on a
// context. Every transfer is clipped by the destination's clip and never reads outside the
// source: a bitmap's bounds, or the bytes of bits handed over.

#include "platform/gdi/device_context.h"

#include <cstdint>
#include <span>

namespace q71 {

/// Ternary raster operations (how pattern, source and destination combine).
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kSrcPaint = 0x00EE0086;
constexpr std::uint32_t kSrcAnd = 0x008800C6;
constexpr std::uint32_t kSrcInvert = 0x00660046;
constexpr std::uint32_t kNotSrcCopy = 0x00330008;
constexpr std::uint32_t kPatCopy = 0x00F00021;
constexpr std::uint32_t kPatInvert = 0x005A0049;
constexpr std::uint32_t kDstInvert = 0x00550009;
constexpr std::uint32_t kBlackness = 0x00000042;
constexpr std::uint32_t kWhiteness = 0x00FF0062;

/// The result of a ternary raster operation on native pixel values.
std::uint32_t applyRop3(std::uint32_t rop, std::uint32_t pattern, std::uint32_t source,
                        std::uint32_t destination);

/// Copies the w x h block at (sx, sy) of `source` to (x, y) of `destination` through `rop`
/// (operations without a source take none). Parts of the block outside the source are left alone.
bool bitBlt(DeviceContext& destination, int x, int y, int w, int h, DeviceContext* source, int sx, int sy,
            std::uint32_t rop);

/// Fills the block with the destination's brush through `rop` (pattern and destination only).
bool patBlt(DeviceContext& destination, int x, int y, int w, int h, std::uint32_t rop);

/// Sets the pixels of the block (x, y, w, h) from the block of a DIB whose corner is (sx, sy):
/// the lower-left corner for a DIB stored bottom-up, the upper-left for one stored top-down.
/// `bits` holds `scanLines` stored rows starting at scan line `startScan` (scan 0 is the bottom
/// row of a bottom-up DIB, the top row of a top-down one); rows of the block outside them are left
/// alone, so a large DIB can be set band by band. Returns the number of scan lines used from
/// `bits`, 0 when the header is malformed or the bits hold none of them.
int setDIBitsToDevice(DeviceContext& destination, int x, int y, int w, int h, int sx, int sy, int startScan,
                      int scanLines, std::span<const std::uint8_t> bits, std::span<const std::uint8_t> info,
                      unsigned colorUse = kDibRgbColors);

/// A compatible bitmap holding the pixels of a DIB; null when the header or the bits are malformed.
BitmapRef createDIBitmap(std::span<const std::uint8_t> info, std::span<const std::uint8_t> bits);

} // namespace q71
