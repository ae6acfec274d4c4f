#pragma once
// What all charts share: the default cell size and shade count that new charts start with (the
// options and the main menu set them), the station charts that the options reach directly, and
// the sampling records of one rendering, which every chart reuses.

#include <vector>

namespace q71 {

class ChartView;

/// Sets the cell size new charts start with (clamped to 1..16).
void chartSetDefaultCellSize(int size);
int chartDefaultCellSize();
/// Sets the shade count new charts start with (clamped to 1..32).
void chartSetDefaultShades(int count);
int chartDefaultShades();

/// Station charts that the options reach: at most three, in slots 0..2. A chart leaves its slot
/// when it is destroyed; a slot outside 0..2 is ignored.
inline constexpr int kChartStationSlots = 3;
void chartRegisterStationChart(int slot, ChartView* chart);
/// Apply the options: the default cell size, and the same to every registered station chart; the
/// default shade count, and the same shades (amplitudes 8, 8, 8) to every registered station chart.
void chartApplyCellSize(int cellSize);
void chartApplyShades(int shades);

/// Where one row or column of blocks samples the grid and the relief.
struct ChartSample {
    int cell = 0;
    double fraction = 0.0;
    int reliefCell = 0;
    double reliefFraction = 0.0;
    bool valid = false;
};

/// The shared sampling records, grown to hold at least that many columns and rows (capacity in
/// steps of 250). They live while any chart does.
struct ChartScratch {
    std::vector<ChartSample> columns;
    std::vector<ChartSample> rows;
};
ChartScratch& chartScratch(int columns, int rows);

/// Counts the live charts; the last one gone frees the shared records and leaves its slot.
void chartViewCreated();
void chartViewDestroyed(ChartView* chart);

} // namespace q71
