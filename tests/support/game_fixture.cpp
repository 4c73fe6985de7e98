#include "support/game_fixture.h"

#include "app/program.h"
#include "app/render_state.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <algorithm>

void GameTest::SetUp()
{
    platform::setCurrent(&script);
    appRecord = std::make_unique<App>();
    appRecord->state = AppStatePlaying;
    theGame = std::make_unique<Game>();
    setCurrentProgram(appRecord.get(), theGame.get());
    renderState() = RenderState{};
    renderState().windowActive = true;
    theGame->cosTable.fill();
    theGame->input.createDevices();
}

void GameTest::TearDown()
{
    theGame->terrain.release();
    setCurrentProgram(nullptr, nullptr);
    theGame.reset();
    appRecord.reset();
    platform::setCurrent(nullptr);
    g_mapSize = 0;
    g_nControls = 0;
}

void GameTest::makeFlatTerrain(int n, int points)
{
    g_mapSize = n;
    g_nControls = points;
    Terrain& t = theGame->terrain;
    t.allocateGrids();
    std::fill(t.heightmap.begin(), t.heightmap.end(), 0.0f);
    std::fill(t.classes.begin(), t.classes.end(), 0);
    std::fill(t.objectKinds.begin(), t.objectKinds.end(), 0);
    std::fill(t.features.begin(), t.features.end(), 0);
    for (int i = 0; i < Course::kMaxControls; ++i)
        t.course.controls[i] = Control{n / 2.0f, n / 2.0f, i};
}

void GameTest::setHeight(int x, int y, float h)
{
    Terrain& t = theGame->terrain;
    t.heightmap[t.cellIndex(x, y)] = h;
}

void GameTest::beginTestFrame(float dt)
{
    renderState().frameTime = dt;
    theGame->input.poll();
}
