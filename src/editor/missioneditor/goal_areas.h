#pragma once
// The mission's goal areas on the editor's map: each goal to reach or stop in an area drawn as its
// circle (or its box, when the goal has one) around its centre, with a cross at the centre and
// its number beside it, so that a centre clicked on the map shows where it fell.

namespace q71 {

class ChartView;
class DeviceContext;
class GoalTree;

void drawGoalAreas(DeviceContext& dc, const ChartView& view, const GoalTree& goals);

} // namespace q71
