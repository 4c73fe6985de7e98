#include "tools/assetgen/random_source.h"

#include "app/random.h"

#include <cmath>

namespace assetgen {

void reseed(uint32_t seed) { rng::seed(seed); }

double uniform()
{
    const double hi = rng::next();
    const double lo = rng::next();
    return (hi * 32768.0 + lo) / (32768.0 * 32768.0);
}

double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }

int pick(int n) { return static_cast<int>(uniform() * n) % n; }

double gaussian()
{
    double sum = 0;
    for (int i = 0; i < 4; ++i)
        sum += uniform();
    // Four uniforms have variance 4/12; scale to 1.
    return (sum - 2.0) * std::sqrt(3.0);
}

} // namespace assetgen
