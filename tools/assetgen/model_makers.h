#pragma once
// The model generators. Every model stands on y = 0 at the origin; one unit
// is one terrain cell, and the game scales trees and bushes by 1 ... 1.24.
#include "tools/assetgen/model_builder.h"

namespace assetgen {

// About 9 units: a Norway spruce, a narrow cone of drooping skirts.
ModelBuilder makeSpruce();
// About 9.4 units: a Scots pine, orange-barked above, with a flat crown.
ModelBuilder makePine();
// About 7.4 units: a silver birch, white trunk and light green crown.
ModelBuilder makeBirch();
// About 1.5 units: a columnar juniper.
ModelBuilder makeJuniper();
// About 1.3 units: a rounded deciduous shrub.
ModelBuilder makeShrub();
// About 0.9 units: a clump of arching fern fronds.
ModelBuilder makeFern();
// About 1 unit: the orienteering control flag on its stake.
ModelBuilder makeControlFlag();

} // namespace assetgen
