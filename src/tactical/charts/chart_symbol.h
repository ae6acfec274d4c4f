#pragma once
// Something drawn on chart views above the terrain: one position, a view record that says how
// large it is on screen, and the views that show it. A plain symbol's position is a grid column
// and row; a geographic one's is a longitude and latitude in degrees, which each view converts
// through its grid. Every change of position or size has the views repaint the old and the new
// area. Destroying a symbol takes it off its views, and destroying a view takes its symbols
// off it, so neither keeps a pointer to the other.

#include "platform/geometry/rect.h"

#include <span>
#include <utility>
#include <vector>

namespace q71 {

class ChartView;
class DeviceContext;

/// The extent of a symbol around its position: world offsets (in the units of the position)
/// of its lower and upper row and column edges, then pixel offsets added to the edges' pixels.
struct ChartViewRecord {
    double lowerY = 0.0;
    double upperY = 0.0;
    double lowerX = 0.0;
    double upperX = 0.0;
    int top = -10;
    int bottom = 10;
    int left = -10;
    int right = 10;

    friend bool operator==(const ChartViewRecord&, const ChartViewRecord&) = default;
};

/// Fills a view record.
void chartMakeRecord(ChartViewRecord& record, int top, int bottom, int left, int right, double lowerY,
                     double upperY, double lowerX, double upperX);
/// The least record whose box holds the boxes of both.
ChartViewRecord chartUnitedRecord(const ChartViewRecord& a, const ChartViewRecord& b);
/// The record of an item at grid (column, row) that draws within `pixels` about its point and
/// at every grid point of `reached` (column, row), wherever they lie.
ChartViewRecord chartRecordReaching(const Rect& pixels, double column, double row,
                                    std::span<const std::pair<double, double>> reached);

class ChartSymbol {
public:
    /// At grid (0, 0), with the default 21 x 21 pixel box, plain, on no view.
    ChartSymbol() = default;
    /// A geographic symbol takes (latitude, longitude), a plain one (column, row). The record
    /// (none: the default) is copied; the view, when given, shows the symbol at once.
    ChartSymbol(double a, double b, const ChartViewRecord* record, ChartView* view, bool geographic);
    ChartSymbol(const ChartSymbol&) = delete;
    ChartSymbol& operator=(const ChartSymbol&) = delete;

    /// First drawing pass, at the pixel of one visible copy; `record` may be changed and is kept.
    virtual void drawUnder(DeviceContext& dc, int x, int y, ChartViewRecord& record);
    /// Second drawing pass.
    virtual void draw(DeviceContext& dc, ChartView& view, int x, int y, ChartViewRecord& record);
    /// Leaves every view.
    virtual ~ChartSymbol();
    /// Moves with a box of pixel offsets only.
    virtual void moveToBox(double a, double b, int top, int bottom, int left, int right);
    /// Moves to (a, b) as the constructor takes them, with a new record (none: the current one).
    virtual void moveTo(double a, double b, const ChartViewRecord* record);
    /// The stored position (x = longitude, y = latitude for a geographic symbol); either may be null.
    virtual void getPosition(double* x, double* y) const;

    /// Shows the symbol on a view (nothing for none or one already showing it).
    void attach(ChartView* view);
    /// Takes the symbol off a view.
    void detach(ChartView* view);
    /// Has every view repaint the symbol's area.
    void notifyViews();

    double x() const { return x_; }
    double y() const { return y_; }
    bool isGeographic() const { return geographic_; }
    const ChartViewRecord& record() const { return record_; }
    const std::vector<ChartView*>& views() const { return views_; }

protected:
    /// Stores a position and record as they are (no views told).
    void place(double x, double y, const ChartViewRecord& record) {
        x_ = x;
        y_ = y;
        record_ = record;
    }

private:
    friend class ChartView;
    double x_ = 0.0;
    double y_ = 0.0;
    ChartViewRecord record_;
    bool geographic_ = false;
    std::vector<ChartView*> views_; ///< newest first
};

} // namespace q71
