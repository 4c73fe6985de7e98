#pragma once
// A run compared with the fastest routes of its course: the split table's
// extra columns, the colours both the finish screen and the analysis picture
// use, and the analysis picture itself, drawn in software so that it can be
// made without a window. Pure logic: no GL, no SDL.
#include "game/split_table.h"
#include "map/map_image.h"
#include "render/rgb_image.h"
#include "results/results.h"
#include "route/route.h"

#include <cstdint>
#include <string>
#include <vector>

class Terrain;

// The fastest routes' own colour, apart from the course's red, the trail's
// magenta, the ghost's cyan and the pace colours.
constexpr uint32_t kFastestRouteColour = 0x8000FF;
// Table texts: a route-choice leg's fastest time, and the leg where most was lost.
constexpr uint32_t kRouteChoiceTextColour = 0xC890FF;
constexpr uint32_t kMostLostTextColour = 0xFF7050;
// Paces at which the colour scale ends: green at or below the fast end,
// red at or above the slow end (seconds per 100 units).
constexpr float kFastPace = kFlatPace * 0.75f;
constexpr float kSlowPace = kFlatPace * 2.0f;

// Green for a fast pace through yellow to red for a slow one (and for
// standing still); every colour has no blue and a top channel of 230.
uint32_t paceColour(float secondsPer100);

// Adds the fastest time and the time lost of each leg to a table made by
// makeSplitTable(splitMs), marks the route-choice legs (*) and the leg where
// most was lost (!), and puts the total lost and the marks' meaning under it.
void addRouteColumns(SplitTable& table, const std::vector<LegRoute>& legs, const std::vector<int64_t>& splitMs);

// The course map at double size: the map drawn at twice its resolution for
// terrains of 256 cells or fewer, the map's pixels doubled for larger ones.
// Draws terrain.mapImage again (the same map) on the way.
MapImage mapAtDoubleSize(Terrain& terrain);

// An RGB picture, 3 bytes a pixel, rows top first.
struct AnalysisPicture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};

// What a picture shows: the course map (at double size, with the course on
// it), the fastest routes, and a run with its route, splits and figures.
struct AnalysisSubject {
    const MapImage* map = nullptr;
    std::vector<LegRoute> legs;
    results::Run run;  // an id of 0: a run that was not stored
};

// The map with the fastest routes and the run's route coloured by pace, and
// beside it the run's figures, the split table and a key, in the glyphs of
// `font` (the game's font picture, bottom row first).
AnalysisPicture drawAnalysisPicture(const AnalysisSubject& subject, const RgbImage& font);

// Reads the game's font picture (Images/font.bmp) for drawAnalysisPicture.
bool loadPictureFont(const std::string& path, RgbImage& font, std::string& error);

// "analysis-<code>-<YYYY-MM-DD>-<hhmmss>.png" for a run finished at
// `finishedUtc` ("YYYY-MM-DDThh:mm:ssZ"; the present moment when empty).
std::string analysisFileName(const std::string& courseCode, const std::string& finishedUtc);

// Writes the picture as a PNG at `path` through a temporary file beside it,
// so a file already there is replaced whole or not at all.
bool saveAnalysisPicture(const AnalysisPicture& picture, const std::string& path, std::string& error);
