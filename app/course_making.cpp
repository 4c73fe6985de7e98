#include "app/course_making.h"

#include "app/game.h"
#include "app/random.h"
#include "platform/platform.h"

namespace {

// Generation reads any amount other than High or Low as Medium.
int32_t amountUsed(int32_t amount) { return amount == 1 || amount == 3 ? amount : 2; }

// Read after generation, which stores back the defaults it substituted.
coursecode::CourseSettings settingsMade(const Game& g, uint32_t seed)
{
    coursecode::CourseSettings s;
    s.seed = seed;
    s.mapSize = g.terrain.gridSide;
    s.openAreas = amountUsed(g.nOpenAreas);
    s.denseAreas = amountUsed(g.nDenseAreas);
    s.controls = g_nControls;
    s.legSize = g.terrain.course.legSize;
    return s;
}

} // namespace

void makeFreshTerrain(Game& g)
{
    Terrain& t = g.terrain;
    if (t.gridSide != settledMapSize())
        t.allocateGrids();
    const uint32_t seed = platform::current().freshSeed();
    rng::seed(seed);
    t.generateAll(g.nOpenAreas, g.nDenseAreas);
    g.madeCourse = settingsMade(g, seed);
}

void makeNextCourse(Game& g)
{
    if (!g.madeCourse) {
        g.terrain.newCourse();
        return;
    }
    coursecode::CourseSettings next = *g.madeCourse;
    next.courseNumber = next.courseNumber % coursecode::kMaxCourseNumber + 1;
    rng::seed(coursecode::courseSeed(next.seed, next.courseNumber));
    g.terrain.newCourse();
    // The terrain's amounts stay; the course settings may have changed since.
    next.controls = g_nControls;
    next.legSize = g.terrain.course.legSize;
    g.madeCourse = next;
}

void generateCourseOf(Terrain& t, const coursecode::CourseSettings& s)
{
    g_mapSize = s.mapSize;
    g_nControls = s.controls;
    t.course.legSize = s.legSize;
    if (t.gridSide != s.mapSize)
        t.allocateGrids();
    rng::seed(s.seed);
    t.generateTerrain(s.openAreas, s.denseAreas);
    if (s.courseNumber > 0)
        rng::seed(coursecode::courseSeed(s.seed, s.courseNumber));
    t.generateCourse();
}

void makeCourseOf(Game& g, const coursecode::CourseSettings& s)
{
    g.nOpenAreas = s.openAreas;
    g.nDenseAreas = s.denseAreas;
    generateCourseOf(g.terrain, s);
    g.terrain.drawMap();
    g.madeCourse = s;
}

void quickPrepareFresh(Game& g)
{
    const uint32_t seed = platform::current().freshSeed();
    rng::seed(seed);
    g.terrain.quickPrepare(g.nOpenAreas, g.nDenseAreas);
    g.madeCourse = settingsMade(g, seed);
}
