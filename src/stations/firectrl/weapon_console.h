#pragma once
// The weapon settings console of the fire-control display: for the tube or cell the operator
// picked, three title lines and the editors of the settings of its weapon type, a button that
// arms the chart to plot a new aim point or route, and the latitude and longitude of the route
// point selected on the chart, which typing moves. Hiding it writes the settings back.

#include "platform/window/window_types.h"
#include "sim/services/weapon_stations.h"
#include "stations/firectrl/fire_chart_reports.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace q71 {

class DeviceContext;
class EditBox;
class FireChart;
class Launcher;
class SimpleButton;
class SpinEdit;
class StateButton;
class StaticText;
class TorpedoTube;
class VlsCell;
struct ConsoleSettingRow;

/// "ADCAP", "SLMM", "Harpoon", "Tomahawk" or "Empty" for the types 0 to 4; "" for another.
std::string weaponTypeName(std::int32_t type);

class WeaponConsole final : public FireChartReports {
public:
    /// Hidden, at (x, y) of the display page, plotting on `chart`.
    WeaponConsole(WindowHandle page, int x, int y, FireChart& chart);
    ~WeaponConsole() override;

    /// Shows tube (0-3) or cell (0-11) `index` of the launcher tables with the settings of the
    /// weapon it holds.
    void showLauncher(int index, bool isCell);
    /// Writes the settings back and hides everything.
    void hide();
    /// The position of a route point selected or dragged on the chart.
    void waypointPicked(MapObject& waypoint) override;
    /// Its commands while shown: the plot button (1200), a typed position (768 with the box
    /// 1300 or 1400) and a changed setting (768 with an editor, or a check box), which goes into
    /// the launcher at once, give 1; "Return" (1) disarms the chart and gives 0, for the display.
    int onCommand(int first, int second);
    void paint(DeviceContext& dc);
    void loadResources();
    void freeResources();

    bool shown() const { return shown_; }
    /// The launcher shown, while its mission lasts; null when none is.
    Launcher* launcher() const;
    const StaticText& title(int line) const { return *titles_.at(static_cast<std::size_t>(line)); }
    EditBox& latitudeBox() const { return *latitude_; }
    EditBox& longitudeBox() const { return *longitude_; }
    /// The editor of a setting row, or null when it is a check box or unknown.
    SpinEdit* editor(const ConsoleSettingRow& row) const;
    StateButton* checkBox(const ConsoleSettingRow& row) const;
    /// Whether a setting row's controls are shown.
    bool rowShown(const ConsoleSettingRow& row) const;
    bool plotShown() const;
    /// The caption of a setting row.
    const StaticText& caption(const ConsoleSettingRow& row) const;
    /// Every label on show: titles, captions, the plot caption and the position's.
    std::vector<const StaticText*> shownLabels() const;

private:
    struct Setting;
    /// A setting row shown and the launcher's value it edits.
    struct Field {
        const ConsoleSettingRow* row;
        std::int32_t* value;
    };
    Setting& setting(const ConsoleSettingRow& row) const;
    TorpedoTube* tube() const;
    VlsCell* cell() const;
    /// The rows of the type the editors were loaded for (none without a launcher).
    std::vector<Field> fields() const;
    void loadEditors();
    /// Writes the editors into the launcher, by the type they were loaded for.
    void storeSettings();
    void hideEditors();
    void showPlot(int captionDy);
    void hidePlot();
    void showPosition(bool show);
    void plot();
    void typedPosition(int box);

    WindowHandle page_;
    int x_, y_;
    FireChart& chart_;
    std::vector<std::unique_ptr<StaticText>> titles_;
    std::vector<std::unique_ptr<Setting>> settings_;
    std::unique_ptr<StaticText> plotCaption_;
    std::unique_ptr<SimpleButton> plotButton_;
    std::vector<std::unique_ptr<StaticText>> positionCaptions_;
    std::unique_ptr<EditBox> latitude_;
    std::unique_ptr<EditBox> longitude_;
    int index_ = -1; ///< of the launcher shown in its table, -1 for none
    bool isCell_ = false;
    std::int32_t shownType_ = kWeaponEmpty; ///< the weapon type the editors show
    bool gyroShown_ = false;
    bool shown_ = false;
};

} // namespace q71
