#pragma once
// The fire-control chart's readouts of the selected contact, in its top left corner: the
// designation, then course, speed, range, bearing and classification, each beside its caption.
// Eleven windowless green labels that the chart paints over its picture.

#include "platform/gdi/device_context.h"
#include "platform/window/window_types.h"

#include <array>
#include <memory>
#include <string>

namespace q71 {

class StaticText;
struct ContactRecord;

/// The contact's designation as the selector and the readouts show it ("%c%d": its sensor letter
/// and the number of the highest sensor type that numbered it).
std::string fireFormatDesignation(const ContactRecord& contact);

/// What the readouts show of a contact, row by row: designation, course, speed, range, bearing,
/// classification.
std::array<std::string, 6> fireReadoutValues(const ContactRecord& contact);

class FireReadouts {
public:
    static constexpr std::size_t kRows = 6;

    /// Hidden labels in the chart's window.
    explicit FireReadouts(WindowHandle chartWindow);
    ~FireReadouts();

    /// Shows the contact's values (a label whose text is unchanged is not repainted).
    void show(const ContactRecord& contact);
    void hide();
    bool shown() const { return shown_; }
    /// Draws the shown labels on the chart's window.
    void paint(DeviceContext& dc);

    /// The text of a row's value.
    const std::string& value(std::size_t row) const;

private:
    void setShown(bool on);

    std::array<std::unique_ptr<StaticText>, kRows> values_;
    std::array<std::unique_ptr<StaticText>, kRows - 1> captions_;
    bool shown_ = false;
};

} // namespace q71
