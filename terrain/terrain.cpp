#include "terrain/terrain.h"

#include "app/random.h"
#include "render/sky.h"
#include "render/texture.h"
#include "terrain/grid_cell.h"

#include <algorithm>

namespace {

bool onGrid(float x, float y, int32_t n)
{
    return x >= 0 && y >= 0 && x < n && y < n;
}

template <class T>
void freeGrid(std::vector<T>& grid)
{
    grid = std::vector<T>();
}

int openAreaCount(int32_t amount)
{
    return amount == 1 ? 25 : amount == 3 ? 6 : 15;
}

int denseAreaCount(int32_t amount)
{
    return amount == 1 ? 20 : amount == 3 ? 3 : 10;
}

} // namespace

void Terrain::reset()
{
    mapImage.release();
    course = Course();
    freeGrid(heightmap);
    freeGrid(features);
    freeGrid(classes);
    freeGrid(objectKinds);
    gridSide = 0;
    mapTexture = -1;
    fullMapShown = false;
    zoom = 1.0f;
    generated = false;
    g_heightScale = 0.75f;
    fullMapX = fullMapY = 0;
    gridsAllocated = false;
    minimapMode = 1;
    rotationAngle = pivotX = pivotY = 0;
    rotationPinned = false;
}

void Terrain::release()
{
    // Texture names are only the context's to delete; headless terrains have none.
    if (hasTexture(mapTexture) && renderState().hasContext)
        deleteTexture(mapTexture);
    mapTexture = -1;
    ground.release();
    objects.release();
    reset();
}

void Terrain::allocateGrids()
{
    const int32_t n = settledMapSize();
    const size_t cells = static_cast<size_t>(n) * n;
    freeGrid(heightmap);
    freeGrid(features);
    freeGrid(classes);
    freeGrid(objectKinds);
    heightmap.resize(cells);
    features.resize(cells);
    classes.resize(cells);
    objectKinds.resize(cells);
    gridSide = n;
    mapImage.create(n, n);
    generated = false;
    g_heightScale = n == 512 ? 1.0f : 0.75f;
}

void Terrain::allocateOnce()
{
    if (!gridsAllocated || gridSide != settledMapSize()) {
        allocateGrids();
        gridsAllocated = true;
    }
}

void Terrain::generateTerrain(int32_t nOpenAreas, int32_t nDenseAreas)
{
    if (gridSide == 0)
        allocateGrids();
    generateRelief();
    std::fill(features.begin(), features.end(), 0);
    std::fill(classes.begin(), classes.end(), 0);
    for (int i = openAreaCount(nOpenAreas); i > 0; --i)
        paintArea(kOpenLand);
    for (int i = denseAreaCount(nDenseAreas); i > 0; --i)
        paintArea(kDenseForest);
    generated = true;
}

void Terrain::generateAll(int32_t nOpenAreas, int32_t nDenseAreas)
{
    generateTerrain(nOpenAreas, nDenseAreas);
    generateCourse();
    drawMap();
    generated = true;
}

void Terrain::newCourse()
{
    generateCourse();
    drawMap();
}

void Terrain::prepareForPlay(int32_t nOpenAreas, int32_t nDenseAreas)
{
    if (!generated || gridSide != settledMapSize()) {
        allocateGrids();
        generateAll(nOpenAreas, nDenseAreas);
    }
    ground.build(*this, gridSide);
    rng::seed(generatorAfterCourse);
    placeVegetation();
    zoom = 1.0f;
    minimapOffsetX = panX = course.controls[0].x;
    minimapOffsetY = panY = course.controls[0].y;
}

void Terrain::quickPrepare(int32_t nOpenAreas, int32_t nDenseAreas)
{
    allocateGrids();
    generateTerrain(nOpenAreas, nDenseAreas);
    generateCourse();
    drawMap();
    ground.build(*this, gridSide);
    placeVegetation();
    zoom = 1.0f;
}

void Terrain::loadObjectModels() { objects.loadModels(*this); }

void Terrain::drawWorld(float heading)
{
    if (renderState().fastWorld && renderer.draw(ground, objects, heading))
        return;
    drawPendingSky();
    ground.draw();
    objects.draw(heading);
}

void Terrain::generateCourse()
{
    course.generateCourse(gridSide > 0 ? gridSide : settledMapSize());
    generatorAfterCourse = rng::state();
}

float Terrain::heightAt(float x, float y) const
{
    if (heightmap.empty())
        return 0;
    return g_heightScale * heightmap[clampedCellIndex(x, y, gridSide)];
}

int32_t Terrain::classAt(float x, float y) const
{
    if (classes.empty() || !onGrid(x, y, gridSide))
        return 0;
    return classes[cellIndex(static_cast<int32_t>(x), static_cast<int32_t>(y))];
}

int Terrain::objectAt(float x, float y) const
{
    if (objectKinds.empty() || !onGrid(x, y, gridSide))
        return 0;
    return objectKinds[cellIndex(static_cast<int32_t>(x), static_cast<int32_t>(y))];
}
