#pragma once

namespace palvex {

struct ChartState;
class QtHost;
class Surface;

// Puts every picture of the chart and the window's screen picture at a
// device pixel ratio; true when the ratio changed (then the finished chart
// should be drawn again at it).
bool FollowPixelRatio(QtHost& host, ChartState& chart, Surface& screen, double ratio);

}  // namespace palvex
