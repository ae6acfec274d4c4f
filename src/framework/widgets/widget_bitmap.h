#pragma once
// A bitmap of a screen or a widget held in memory. With the archive switch on (the program turns
// it on at start-up) it is read from the selected group archive; otherwise from its loose file.
// Either way the holder sees one info header block and the pixel rows, and frees it the way it
// was read.

#include "framework/resources/resource_ref.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

class DeviceContext;

/// Reads bitmaps from group archives (true) or from loose files (false, the start).
void widgetSetArchiveBitmaps(bool on);
/// The archive switch.
bool widgetArchiveBitmaps();

class WidgetBitmap {
public:
    enum class Source { None, Archive, File };

    WidgetBitmap();
    ~WidgetBitmap();
    WidgetBitmap(const WidgetBitmap&) = delete;
    WidgetBitmap& operator=(const WidgetBitmap&) = delete;

    /// Reads the named bitmap the way the archive switch says, unless one is loaded; true when a
    /// bitmap is loaded afterwards. A failed read leaves nothing loaded and nothing allocated.
    bool load(std::string_view name);
    /// Starts reading the named bitmap from the selected group archive on a worker, counted for
    /// grpWaitAll when counting runs; a loose file is read at once. False when the read cannot
    /// start (nothing is then allocated).
    bool startLoad(std::string_view name);
    /// Once the background read is over (after grpWaitAll): true when the bitmap arrived whole and
    /// is loaded; otherwise nothing is loaded and nothing kept.
    bool finishLoad();
    /// Frees the bitmap the way it was read (a read still running is cancelled first).
    void free();

    bool loaded() const { return source_ != Source::None; }
    Source source() const { return source_; }
    /// The info header block (header, then colour table or masks); empty when nothing is loaded.
    std::span<const std::uint8_t> header() const { return header_; }
    /// The pixel rows; empty when nothing is loaded.
    std::span<const std::uint8_t> bits() const { return bits_; }
    /// Draws the whole bitmap with its top-left corner at (x, y); nothing when none is loaded.
    void draw(DeviceContext& dc, int x, int y) const;
    /// The archive member's handle (its name is the bitmap's name once one was loaded).
    const ResourceRef& ref() const { return ref_; }

private:
    /// Makes the member that arrived in the ref the bitmap; frees the ref when none arrived or
    /// it is no bitmap.
    bool takeArchiveRead(bool arrived);

    std::string name_;
    ResourceRef ref_;
    std::vector<std::uint8_t> fileHeader_;
    std::vector<std::uint8_t> fileBits_;
    std::span<const std::uint8_t> header_;
    std::span<const std::uint8_t> bits_;
    Source source_ = Source::None;
    bool pending_ = false;
};

} // namespace q71
