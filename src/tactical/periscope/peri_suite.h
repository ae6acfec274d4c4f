#pragma once
// The periscope station, station 6 of the in-mission host ("perisuite", 540 by 420): the
// periscope panel and the stadimeter page, one showing at a time. The panel hands its pictures
// to the stadimeter page.

#include "framework/app/sub_screen.h"

#include <memory>
#include <string_view>

namespace q71 {

class PeriscopeScreen;
class StadimeterScreen;

class PeriSuite : public SubScreen {
public:
    static constexpr int kPeriscopePageIndex = 0;
    static constexpr int kStadimeterPageIndex = 1;

    PeriSuite(std::string_view key, WindowHandle parent, int width, int height, int x, int y);

    /// Ids 0 and 1 show that page; every command is handled.
    int onCommand(WParam wParam, LParam lParam) override;

    PeriscopeScreen& periscope() const;
    StadimeterScreen& stadimeter() const;
};

/// Registers the periscope station as station 6.
void periscopeRegisterStation();

} // namespace q71
