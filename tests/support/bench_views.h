#pragma once
// What the frame test and the benchmarks share: the fixed views they draw
// the world from, processor times and frame-time statistics.
#include <vector>

class Terrain;

namespace testsupport {

// A point of view: the eye in world units and the heading in degrees.
struct View {
    float eye[3];
    float heading;
};

// Sixteen views of `terrain`: the start and two controls in four headings
// each, and the map's middle in four more, all at eye height.
std::vector<View> benchmarkViews(const Terrain& terrain);

// Processor time of the whole process, the driver's threads included, in ms.
double processCpuMs();
// Processor time of the calling thread, in ms.
double threadCpuMs();

// Median, 95th percentile and mean of frame times.
struct FrameStats {
    double median = 0, p95 = 0, mean = 0;
};
// The statistics of `ms`; all zero when it is empty.
FrameStats frameStats(std::vector<double> ms);

} // namespace testsupport
