#include "model/closed_surfaces.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <numeric>
#include <utility>

namespace {

// Union-find over triangles: two triangles sharing a corner belong to the
// same surface.
struct Surfaces {
    std::vector<size_t> parent;

    explicit Surfaces(size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), size_t(0)); }
    size_t root(size_t i)
    {
        while (parent[i] != i)
            i = parent[i] = parent[parent[i]];
        return i;
    }
    void join(size_t a, size_t b) { parent[root(a)] = root(b); }
};

} // namespace

std::vector<Facing> classifyTriangles(const std::vector<float>& corners)
{
    const size_t count = corners.size() / 9;
    std::vector<Facing> facing(count, Facing::kOpen);

    // Corners numbered by their exact position (+0 and -0 alike).
    std::map<std::array<uint32_t, 3>, size_t> numbers;
    std::vector<size_t> corner(3 * count);
    for (size_t i = 0; i < 3 * count; ++i) {
        std::array<uint32_t, 3> key;
        for (int k = 0; k < 3; ++k) {
            const float value = corners[3 * i + size_t(k)] + 0.0f;
            std::memcpy(&key[size_t(k)], &value, sizeof value);
        }
        corner[i] = numbers.emplace(key, numbers.size()).first->second;
    }

    // Each triangle joined to the first one at each of its corners.
    Surfaces surfaces(count);
    std::vector<size_t> firstAtCorner(numbers.size(), SIZE_MAX);
    for (size_t t = 0; t < count; ++t)
        for (int k = 0; k < 3; ++k) {
            size_t& first = firstAtCorner[corner[3 * t + size_t(k)]];
            if (first == SIZE_MAX)
                first = t;
            else
                surfaces.join(t, first);
        }

    // Each directed edge counted; a surface is closed when each of its edges
    // runs once each way.
    std::map<std::pair<size_t, size_t>, int> edges;
    for (size_t t = 0; t < count; ++t)
        for (int k = 0; k < 3; ++k)
            ++edges[{corner[3 * t + size_t(k)], corner[3 * t + size_t(k + 1) % 3]}];
    std::vector<bool> open(count, false);
    // Six times the enclosed volume, summed from a corner of the surface so
    // that its size, not its distance from the origin, sets the rounding;
    // and the sum of the terms' sizes, to tell a volume from rounding.
    std::vector<double> volume(count, 0.0), size(count, 0.0);
    for (size_t t = 0; t < count; ++t) {
        const size_t surface = surfaces.root(t);
        for (int k = 0; k < 3; ++k) {
            const size_t a = corner[3 * t + size_t(k)], b = corner[3 * t + size_t(k + 1) % 3];
            auto back = edges.find({b, a});
            if (a == b || edges[{a, b}] != 1 || back == edges.end() || back->second != 1)
                open[surface] = true;
        }
        const float* origin = &corners[9 * surface];
        double p[3][3];
        for (int v = 0; v < 3; ++v)
            for (int k = 0; k < 3; ++k)
                p[v][k] = double(corners[9 * t + size_t(3 * v + k)]) - origin[k];
        const double term = p[0][0] * (p[1][1] * p[2][2] - p[1][2] * p[2][1]) -
                            p[0][1] * (p[1][0] * p[2][2] - p[1][2] * p[2][0]) +
                            p[0][2] * (p[1][0] * p[2][1] - p[1][1] * p[2][0]);
        volume[surface] += term;
        size[surface] += std::fabs(term);
    }
    for (size_t t = 0; t < count; ++t) {
        const size_t surface = surfaces.root(t);
        if (open[surface] || !(std::fabs(volume[surface]) > 1e-9 * size[surface]))
            continue;
        if (volume[surface] < 0)
            facing[t] = Facing::kClockwiseOut;
        else if (volume[surface] > 0)
            facing[t] = Facing::kAnticlockwiseOut;
    }
    return facing;
}
