#pragma once
// The port of call (slot 11, "PortofCall"): the career points spent on or taken back from the
// five rated categories of the crew, and the boat resupplied. Validating writes the levels, the
// points and the load-out into the player's record and saves it; leaving without it changes
// nothing. Reached from the main menu (argument 0) or after a campaign leg's last mission
// (argument 1), where the port is announced on arrival and the captain's departure is called.

#include "frontend/front_end_screen.h"

#include <array>
#include <memory>
#include <string>

namespace q71 {

class SimpleButton;
struct SoundVoice;

/// The argument of the port of call reached from a campaign leg.
inline constexpr int kPortAfterCampaignLeg = 1;

class PortofCall : public FrontEndScreen {
public:
    PortofCall(WindowHandle parent, int argument);
    ~PortofCall() override;

    void open() override;
    void close() override;
    void paint(DeviceContext& dc) override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// Esc leaves without validating.
    int onKey(int key, int category) override;

    /// Buys or sells a level of a category; false when it cannot (no points, at the top or bottom),
    /// which the status glass says.
    bool buy(int category);
    bool sell(int category);
    /// Writes the levels, the points and the resupplied load-out into the record and saves it,
    /// then leaves; false (nothing left) when there is no player or the save fails.
    bool confirm();
    /// Leaves the port without changing the record.
    void leave();

    /// The points left to spend and a category's level, as the visit stands.
    std::int32_t balance() const;
    std::int32_t level(int category) const;
    /// What buying a level of a category costs and what selling one gives back, as the visit
    /// stands, told on its row ("—" for what cannot be done).
    std::string priceLine(int category) const;

private:
    void say(int text);
    void say(int text, std::string line);
    /// True when what is said is a refusal, told in the warning colour.
    bool saidRefusal() const;
    void announceDeparture();
    void freeVoices();

    int argument_;
    std::array<std::unique_ptr<SimpleButton>, 10> rowButtons_;
    std::unique_ptr<SimpleButton> confirm_;
    std::unique_ptr<SimpleButton> leave_;
    SoundVoice* announce_ = nullptr;
    SoundVoice* captain_ = nullptr;
    int saidText_ = 0;
    std::string said_;
};

} // namespace q71
