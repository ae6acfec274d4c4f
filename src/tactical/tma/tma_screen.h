#pragma once
// The target-motion-analysis station (station 4, "TMAScreen"): the operator picks one of the own
// boat's contacts, enters or drags a solution against its fixes on the plot, stores it in the
// contact, and merges, splits and deletes contacts. The station's state outlives the screen.

#include "framework/app/sub_screen.h"
#include "framework/widgets/hot_spot.h"
#include "framework/widgets/read_out_strips.h"
#include "framework/widgets/simple_button.h"
#include "framework/widgets/super_list_box.h"
#include "tactical/tma/tma_plot.h"
#include "tactical/tma/tma_read_out.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace q71 {

struct ContactRecord;

class TMAScreen : public SubScreen, public TmaPlotScreen {
public:
    /// Ids of the widgets, which are also the commands they send.
    enum : int {
        kBearingHold = 1,
        kSpeedHold = 4,
        kFirstList = 5,
        kSecondList = 6,
        kCentre = 7,
        kStore = 8,
        kZoomIn = 9,
        kZoomOut = 10,
        kPanWest = 11,
        kPanSouth = 14,
        kMerge = 15,
        kSplit = 16,
        kDelete = 17,
        kMostRecent = 18,
        kSourceEsm = 23,
        kHistoryClear = 24,
        kHistoryLast = 28,
        kBearingReadOut = 29,
        kSpeedReadOut = 32,
    };

    TMAScreen(std::string_view key, WindowHandle parent, int width, int height, int x, int y);
    ~TMAScreen() override;

    void open() override;
    void close() override;
    /// The widgets' commands and the lists' selection changes.
    int onCommand(WParam wParam, LParam lParam) override;

    /// Carries out a command (buttons, readouts, the plot's menu); the plot is drawn anew.
    void command(int id, int value);
    /// The contact of a list entry's name chosen in the first list (the analysed one) or the second.
    void selectFirst(const std::string& name);
    void selectSecond(const std::string& name);

    TmaPlot& plot() { return *plot_; }
    SuperListBox& firstList() { return *lists_[0]; }
    SuperListBox& secondList() { return *lists_[1]; }
    /// The solution readouts (bearing, range, course, speed), the contact's and the pointer's.
    const ReadOut& solutionReadOut(int i) const { return *solution_[static_cast<std::size_t>(i)]; }
    const ReadOut& contactReadOut(int i) const { return *contact_[static_cast<std::size_t>(i)]; }
    const ReadOut& pointerReadOut(int i) const { return *pointer_[static_cast<std::size_t>(i)]; }

    void refreshSolutionReadouts() override;
    void refreshContactReadouts() override;
    void showPointer(double bearing, double rangeYards) override;

private:
    void buildWidgets();
    /// The widgets drawn from the station's group, and those drawn from the shared group.
    void forStationWidgets(const std::function<void(BaseWidget&)>& apply);
    void forSharedWidgets(const std::function<void(BaseWidget&)>& apply);
    void fillList(int list, const std::string& leaveOut);
    void fillLists();
    void contactsChanged(ContactRecord* contact, bool removed);
    static void contactNotify(std::uintptr_t owner, ContactRecord* contact, int flag);
    /// A value typed into a solution readout (commands 29 to 32) taken into the solution.
    void commitValue(int id, int value);
    /// The solution readouts' digits clicked in and not yet committed, committed now.
    void commitPendingDigits();
    void sourceCommand(int id);
    void historyCommand(int id);
    void contactCommand(int id);
    void viewCommand(int id);

    std::array<std::unique_ptr<ButtonToggle>, 4> holds_;
    std::vector<std::unique_ptr<SimpleButton>> buttons_;
    std::array<std::unique_ptr<SuperListBox>, 2> lists_;
    std::array<std::unique_ptr<TmaReadOut>, 4> solution_;
    std::array<std::unique_ptr<LargeReadOut>, 4> contact_;
    std::array<std::unique_ptr<LargeReadOut>, 2> pointer_;
    std::array<std::string, 4> solutionTexts_, contactTexts_;
    std::vector<std::unique_ptr<HotSpot>> tips_;
    std::unique_ptr<TmaPlot> plot_;
    bool observing_ = false;
};

} // namespace q71
