#pragma once
// Device-independent bitmaps: loading a bitmap file into a header block (a 40-byte info header,
// then the colour table or the three bit-field masks) and a block of pixel rows, checking a bitmap
// file already in memory (a group-archive member), and the sizes of colour tables. Header blocks
// are handed around as bytes, read field by field, so their alignment never matters.

#include "framework/resources/resource_ref.h"

#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

/// Loads a bitmap file ("<prefix>\<name>" with the prefix on): 1 with both blocks filled, or 0 with
/// both empty. A missing or short file fails silently; a malformed one with a warning.
int dibCLoad(const char* name, std::vector<uint8_t>& header, std::vector<uint8_t>& bits);
/// Releases both blocks.
void dibFree(std::vector<uint8_t>& header, std::vector<uint8_t>& bits);

/// Colour-table entries of an info or core header: a non-zero biClrUsed of an info header, else
/// 2, 16 or 256 for 1, 4 or 8 bits per pixel, else 0.
uint32_t dibNumColors(std::span<const uint8_t> header);
/// The same for an info header.
uint32_t dibInfoNumColors(std::span<const uint8_t> header);
/// True unless the header is the 12-byte core form.
bool dibIsInfoHeader(std::span<const uint8_t> header);
/// Bytes after the header: 12 masks for a 40-byte 16- or 32-bit header with bit fields, else
/// 4 per colour of dibInfoNumColors.
uint32_t dibPaletteSize(std::span<const uint8_t> header);

/// Makes dibCLoad open names inside `folder` (null: the prefix goes off).
void dibSetPathPrefix(const char* folder);
/// Copies the prefix into buffer, cut to n - 1 characters and always terminated (nothing when n is 0).
void dibGetPathPrefix(char* buffer, size_t n);
/// True when the prefix is on.
bool dibPathPrefixOn();

/// Checks the data of ref as a bitmap file (as far as it has arrived) and points ref.dibHeader and
/// ref.dibBits into it; 1 when it is a usable Windows bitmap, else 0 with a warning.
int dibRawCheck(ResourceRef& ref);

/// Writes "all.bmp" from the five 8-bit images "pullbar1.bmp" to "pullbar5.bmp", one above the
/// other; 1, or 0 when an image is missing or they do not fit together or the file cannot be made.
int dibJoinPullBars();

} // namespace q71
