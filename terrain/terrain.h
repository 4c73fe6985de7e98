#pragma once
// The generated world: relief, vegetation classes and objects, line
// features, the course and the orienteering map, with the map-view state.
// One Terrain lives in the Game for the whole process; the grids, course
// and map live for one generated terrain. Every member starts at zero, as
// the zero-filled Game expects; reset() gives the working start values.
//
// Grids are MapSize x MapSize, indexed x + y * MapSize (world X = x, world
// Z = y). The Terrain keeps the side it allocated them for in gridSide and
// indexes them with it; allocation follows g_mapSize, so the two agree.
#include "app/render_state.h"
#include "map/map_image.h"
#include "render/ground.h"
#include "render/world_objects.h"
#include "render/world_renderer.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <cstdint>
#include <vector>

struct MapMarker;

// ClassGrid values.
enum TerrainClass : int32_t {
    kForest = 0,
    kOpenLand = 32,
    kDenseForest = 33,
    kBlueClass = 34,  // coloured blue on the map; no generator makes it
};

struct Terrain {
    Ground ground;          // built from the relief for each game; lives for one terrain
    WorldObjects objects;   // tree, bush and flag models, loaded for each game
    WorldRenderer renderer; // the fast way of drawing the world; scratch only, lives for the process

    MapImage mapImage;          // the MapSize x MapSize orienteering map
    TextureId mapTexture = 0;   // texture of the map; -1 none

    std::vector<float> heightmap;     // relief per cell, unscaled
    std::vector<int32_t> features;    // line features; generation clears them, the map draws 16 and 17
    std::vector<int32_t> classes;     // a TerrainClass per cell
    std::vector<uint8_t> objectKinds; // 0 none, 1-3 trees, 6-8 bushes
    int32_t gridSide = 0;             // side the grids were allocated for; 0 none

    // Map view (the map display reads and writes these during play).
    float minimapOffsetX = 0;
    float minimapOffsetY = 0;
    float zoom = 0;
    float panX = 0;
    float panY = 0;

    bool fullMapShown = false;
    bool spaceLatch = false;
    bool generated = false;       // relief, areas (and course) exist for the grids
    bool gridsAllocated = false;  // allocateOnce has run
    bool rightDragActive = false;
    bool rotationPinned = false;
    bool mLatch = false;

    Course course;
    // The generator's state right after the course was made. The vegetation
    // is drawn from it, so menu frames between "Generate Map" and "Start!"
    // change nothing, and the game places what fernhollow-mapgen does.
    uint32_t generatorAfterCourse = 0;

    float fullMapX = 0;
    float fullMapY = 0;
    int32_t minimapMode = 0;  // 1 automatic, 2 mouse; 0 means 1
    float rotationAngle = 0;
    float pivotX = 0;
    float pivotY = 0;

    // Life cycle ------------------------------------------------------------
    // Working start values: no grids, texture -1, zoom 1, minimap mode 1,
    // HeightScale 0.75, the course cleared.
    void reset();
    // Deletes the map texture, frees the ground, the models, the grids, the
    // map pixels and the course, then reset().
    void release();
    // Frees any grids and allocates them, and the map image, for g_mapSize
    // (0 is taken as 256); the terrain is no longer generated.
    void allocateGrids();
    // For opening the new-course page: allocates when no grids were made by
    // it yet, or when they were made for another size than g_mapSize.
    void allocateOnce();

    // Generation ------------------------------------------------------------
    // Each runs on the grids that exist; generateTerrain allocates them when
    // there are none, the map and the vegetation then need no guard.
    // Area amounts are 1 high, 2 medium, 3 low; anything else is medium.
    // Relief, then line features and classes cleared, then open and dense
    // areas; the terrain is generated.
    void generateTerrain(int32_t nOpenAreas, int32_t nDenseAreas);
    // "Generate Map": terrain, course and map.
    void generateAll(int32_t nOpenAreas, int32_t nDenseAreas);
    // "New Course": a new course and map on the same terrain.
    void newCourse();
    // Game start with "Start!": generates everything first unless a terrain
    // for g_mapSize exists, then builds the ground, places the vegetation
    // (from generatorAfterCourse) and centres the map view on the start.
    void prepareForPlay(int32_t nOpenAreas, int32_t nDenseAreas);
    // Game start with "QuickStart": always a new terrain, course and map,
    // then the vegetation. The map offsets stay.
    void quickPrepare(int32_t nOpenAreas, int32_t nDenseAreas);
    // Game start, once the runner is placed: the tree, bush and flag models,
    // which read this terrain's heights, objects and course.
    void loadObjectModels();

    // Parts of the generation, in the order generateAll runs them.
    void generateRelief();
    void paintArea(int32_t terrainClass);
    void generateCourse();
    // Rasterises the map into mapImage and the map texture.
    void drawMap();
    // The drawing of drawMap without the texture: vegetation colours,
    // contours, features, grid columns and the course overprint into
    // mapImage, and, for grids of 256 cells or fewer, into doubleImage when
    // given (created here at twice the side). Tools keep the images.
    void drawMapImages(MapImage* doubleImage);
    // Traces the contour lines onto mapImage and, when given, onto the
    // double-resolution image.
    void drawContours(MapImage* doubleImage, MapImage& image);
    // Fills the ObjectGrid with trees and bushes: none on open land, none on
    // a control. Draws from the shared generator.
    void placeVegetation();

    // Map display during play ---------------------------------------------
    // Map keys and mouse, then the fullscreen map, or the world seen along
    // `heading` (the runner's, degrees) and the minimap; `ghost` on either
    // map. Once per frame of play.
    void updateAndDrawMap(float heading, const MapMarker& ghost);
    // The fullscreen map, panned with the arrow keys and zoomed with +/-.
    void drawFullMap();
    // The minimap's keys, zoom, pan and rotation for this frame; returns the
    // screen position of the map's top-left corner.
    struct MapOrigin updateMapView();
    // The ground and the world objects around the runner looking along
    // `heading` (degrees), and the sky if Sky::draw left it to the world;
    // the fast way where the driver allows.
    void drawWorld(float heading);

    // Queries (never fail; 0 before the grids exist) ------------------------
    // HeightScale times the height of the cell holding (x, y), the point
    // first clamped onto the grid: the height is constant over each cell.
    float heightAt(float x, float y) const;
    // The class of the cell holding (x, y); 0 off the grid.
    int32_t classAt(float x, float y) const;
    // The object in the cell holding (x, y); 0 off the grid.
    int objectAt(float x, float y) const;
    const Control* controlAt(int i) const { return course.controlAt(i); }

    // Index of cell (x, y) in every grid.
    int32_t cellIndex(int32_t x, int32_t y) const { return x + y * gridSide; }
};
