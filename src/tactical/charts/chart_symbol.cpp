#include "tactical/charts/chart_symbol.h"

#include "tactical/charts/chart_view.h"

#include <algorithm>

namespace q71 {

void chartMakeRecord(ChartViewRecord& record, int top, int bottom, int left, int right, double lowerY,
                     double upperY, double lowerX, double upperX) {
    record = ChartViewRecord{lowerY, upperY, lowerX, upperX, top, bottom, left, right};
}

ChartViewRecord chartUnitedRecord(const ChartViewRecord& a, const ChartViewRecord& b) {
    return ChartViewRecord{std::min(a.lowerY, b.lowerY), std::max(a.upperY, b.upperY),
                           std::min(a.lowerX, b.lowerX), std::max(a.upperX, b.upperX),
                           std::min(a.top, b.top),       std::max(a.bottom, b.bottom),
                           std::min(a.left, b.left),     std::max(a.right, b.right)};
}

ChartViewRecord chartRecordReaching(const Rect& pixels, double column, double row,
                                    std::span<const std::pair<double, double>> reached) {
    ChartViewRecord record{0.0, 0.0, 0.0, 0.0, pixels.top, pixels.bottom - 1, pixels.left, pixels.right - 1};
    for (const auto& [pointColumn, pointRow] : reached) {
        record.lowerX = std::min(record.lowerX, pointColumn - column);
        record.upperX = std::max(record.upperX, pointColumn - column);
        record.lowerY = std::min(record.lowerY, pointRow - row);
        record.upperY = std::max(record.upperY, pointRow - row);
    }
    return record;
}

ChartSymbol::ChartSymbol(double a, double b, const ChartViewRecord* record, ChartView* view, bool geographic)
    : geographic_(geographic) {
    x_ = geographic ? b : a;
    y_ = geographic ? a : b;
    if (record)
        record_ = *record;
    attach(view);
}

ChartSymbol::~ChartSymbol() {
    while (!views_.empty())
        detach(views_.front());
}

void ChartSymbol::drawUnder(DeviceContext&, int, int, ChartViewRecord&) {}
void ChartSymbol::draw(DeviceContext&, ChartView&, int, int, ChartViewRecord&) {}

void ChartSymbol::moveToBox(double a, double b, int top, int bottom, int left, int right) {
    ChartViewRecord record;
    chartMakeRecord(record, top, bottom, left, right, 0.0, 0.0, 0.0, 0.0);
    moveTo(a, b, &record);
}

void ChartSymbol::moveTo(double a, double b, const ChartViewRecord* record) {
    const ChartViewRecord& wanted = record ? *record : record_;
    const double x = geographic_ ? b : a;
    const double y = geographic_ ? a : b;
    if (x == x_ && y == y_ && wanted == record_)
        return;
    const ChartViewRecord copy = wanted;
    notifyViews();
    place(x, y, copy);
    notifyViews();
}

void ChartSymbol::getPosition(double* x, double* y) const {
    if (x)
        *x = x_;
    if (y)
        *y = y_;
}

void ChartSymbol::attach(ChartView* view) {
    if (!view || std::find(views_.begin(), views_.end(), view) != views_.end())
        return;
    if (view->addSymbol(this))
        views_.insert(views_.begin(), view);
}

void ChartSymbol::detach(ChartView* view) {
    auto found = std::find(views_.begin(), views_.end(), view);
    if (found == views_.end())
        return;
    views_.erase(found);
    view->removeSymbol(this);
}

void ChartSymbol::notifyViews() {
    for (ChartView* view : views_)
        view->symbolChanged(this);
}

} // namespace q71
