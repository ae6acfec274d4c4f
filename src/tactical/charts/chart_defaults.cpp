#include "tactical/charts/chart_defaults.h"

#include "tactical/charts/chart_view.h"

#include <algorithm>
#include <array>

namespace q71 {
namespace {

constexpr std::size_t kScratchQuantum = 250;

struct ChartModule {
    int cellSize = 1;
    int shades = 9;
    std::array<ChartView*, kChartStationSlots> stations{};
    ChartScratch scratch;
    int liveViews = 0;
};

ChartModule& module() {
    static ChartModule state;
    return state;
}

void grow(std::vector<ChartSample>& records, int wanted) {
    const auto needed = static_cast<std::size_t>(std::max(wanted, 0));
    if (records.size() >= needed)
        return;
    records.resize((needed + kScratchQuantum - 1) / kScratchQuantum * kScratchQuantum);
}

} // namespace

void chartSetDefaultCellSize(int size) {
    module().cellSize = std::clamp(size, 1, 16);
}

int chartDefaultCellSize() {
    return module().cellSize;
}

void chartSetDefaultShades(int count) {
    module().shades = std::clamp(count, 1, 32);
}

int chartDefaultShades() {
    return module().shades;
}

void chartRegisterStationChart(int slot, ChartView* chart) {
    if (slot >= 0 && slot < kChartStationSlots)
        module().stations[static_cast<std::size_t>(slot)] = chart;
}

void chartApplyCellSize(int cellSize) {
    chartSetDefaultCellSize(cellSize);
    for (ChartView* chart : module().stations)
        if (chart)
            chart->setCellSize(cellSize);
}

void chartApplyShades(int shades) {
    chartSetDefaultShades(shades);
    for (ChartView* chart : module().stations)
        if (chart)
            chart->setShadeColours(shades, 8, 8, 8);
}

ChartScratch& chartScratch(int columns, int rows) {
    ChartScratch& scratch = module().scratch;
    grow(scratch.columns, columns);
    grow(scratch.rows, rows);
    return scratch;
}

void chartViewCreated() {
    ++module().liveViews;
}

void chartViewDestroyed(ChartView* chart) {
    ChartModule& state = module();
    std::replace(state.stations.begin(), state.stations.end(), chart, static_cast<ChartView*>(nullptr));
    if (--state.liveViews <= 0) {
        state.liveViews = 0;
        state.scratch = ChartScratch{};
    }
}

} // namespace q71
