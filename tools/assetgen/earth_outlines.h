#pragma once
// Coarse outlines of the continents and larger islands, drawn by hand for
// the menu globe. Longitude and latitude in degrees.
#include <vector>

namespace assetgen {

struct LandOutline {
    std::vector<float> lonLat; // pairs
    bool water = false;        // a lake cut out of the land around it
    bool ice = false;          // an ice sheet
};

const std::vector<LandOutline>& landOutlines();

} // namespace assetgen
