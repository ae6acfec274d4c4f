#pragma once
// The bitmaps that every panel of one kind shows (switch, lamp and button strips), read from the
// fire-control group by the first panel of the kind and released by the last, so that twelve
// cell panels hold one copy. A bitmap that cannot be read is fatal.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace q71 {

class WidgetBitmap;

/// A bitmap of a panel kind and the line its fatal report names.
struct PanelArtFile {
    const char* name;
    int line;
};

class PanelArt {
public:
    /// The bitmaps of a kind; `source` names the kind in fatal reports.
    PanelArt(std::span<const PanelArtFile> files, const char* source);
    ~PanelArt();
    PanelArt(const PanelArt&) = delete;
    PanelArt& operator=(const PanelArt&) = delete;

    /// One panel more: the first reads every bitmap.
    void acquire();
    /// One panel less: the last frees them.
    void release();
    int users() const { return users_; }

    std::span<const std::uint8_t> header(std::size_t index) const;
    std::span<const std::uint8_t> bits(std::size_t index) const;

private:
    std::span<const PanelArtFile> files_;
    const char* source_;
    std::vector<std::unique_ptr<WidgetBitmap>> bitmaps_;
    int users_ = 0;
};

} // namespace q71
