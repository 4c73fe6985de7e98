// A generated terrain seen from the runner's eye with the generated assets:
// sky, fogged ground, trees and bushes and a control flag, as a frame of
// play draws them. The picture is saved as runners_eye.png.
#include "app/random.h"
#include "render/bmp_reader.h"
#include "render/camera.h"
#include "render/gl_state.h"
#include "render/sky.h"
#include "support/gl_test.h"
#include "terrain/terrain.h"
#include "terrain/world_globals_guard.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>

using testsupport::Capture;
using testsupport::Rgb;

namespace {

constexpr float kNear = 0.1f, kFar = 1000;
const Rgb kFog{166, 204, 255};

enum Layers { kGroundOnly = 0, kVegetation = 1, kFlags = 2, kNoFog = 4, kUnculled = 8 };

// Draws every object it is given, as the game would without its culling of
// models that cannot show.
class DrawEverything : public ObjectSink {
public:
    explicit DrawEverything(const WorldObjects& objects) : objects_(objects) {}
    void place(const PlacedObject& o) override
    {
        const Model* model = objects_.slots[size_t(o.slot)].get();
        const float rotation[3] = {0, o.turn, 0};
        const float scale[3] = {o.scale, o.scale, o.scale};
        if (model)
            model->draw(o.position, rotation, scale);
    }

private:
    const WorldObjects& objects_;
};

class RunnersEye : public testsupport::GlTest {
protected:
    // One frame as a frame of play draws it: clear to the fog colour, the
    // player camera, the sky (which sets the fog), the ground, the vegetation
    // and the flags.
    Capture frame(const Terrain& t, const Sky& sky, int layers)
    {
        setClearColor(0.65f, 0.8f, 1.0f);
        clearFrame(kFog);
        setPerspective(120);
        updateCamera(eye, heading);
        setPerspective(kFar);
        sky.draw();
        if (layers & kNoFog)
            disableFog();
        const_cast<Terrain&>(t).ground.draw();
        if (layers & kUnculled) {
            glMatrixMode(GL_MODELVIEW);
            DrawEverything everything(t.objects);
            t.objects.placeVegetation(heading, everything);
        } else if (layers & kVegetation) {
            t.objects.drawVegetation(heading);
        }
        if (layers & kFlags)
            t.objects.drawControlFlags();
        return testsupport::captureBackBuffer();
    }

    // Eye-space distance along the view of every pixel, top row first.
    std::vector<float> depthAlongView()
    {
        std::vector<float> depth(640 * 480);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 640, 480, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        std::vector<float> distance(depth.size());
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                float d = depth[size_t(x + (479 - y) * 640)];
                distance[size_t(x + y * 640)] = kNear * kFar / (kFar - d * (kFar - kNear));
            }
        return distance;
    }

    float eye[3] = {};
    float heading = 0;
};

// Window position of a world point under the current matrices, top row first.
void project(const float p[3], double& x, double& y)
{
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double z = 0;
    gluProject(p[0], p[1], p[2], model, projection, viewport, &x, &y, &z);
    y = viewport[3] - y;
}

Rgb meanColour(const Capture& c, int x0, int y0, int x1, int y1)
{
    long sum[3] = {};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            Rgb p = c.at(x, y);
            sum[0] += p.r, sum[1] += p.g, sum[2] += p.b;
        }
    long n = long(x1 - x0) * (y1 - y0);
    return {int(sum[0] / n), int(sum[1] / n), int(sum[2] / n)};
}

int distanceTo(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

} // namespace

TEST_F(RunnersEye, AGeneratedForestWithSkyFogTreesAndAFlag)
{
    WorldGlobalsGuard guard;
    g_mapSize = 256;
    g_nControls = 8;
    rng::seed(20240611);
    Terrain t;
    t.quickPrepare(2, 2);
    Sky sky;
    sky.load();
    t.loadObjectModels();
    ASSERT_GT(t.ground.grassTexture, 0);
    for (int slot : {0, 1, 2, 5, 6, 7, 10})
        ASSERT_TRUE(t.objects.slots[size_t(slot)] && t.objects.slots[size_t(slot)]->partCount() > 0) << slot;

    // Seven steps behind the start, looking over its flag towards control 1.
    const Control& start = t.course.controls[0];
    const Control& first = t.course.controls[1];
    const float dx = first.x - start.x, dz = first.y - start.y;
    const float length = std::sqrt(dx * dx + dz * dz);
    heading = std::atan2(dx, -dz) / kDegreesToRadians;
    eye[0] = start.x - dx / length * 7;
    eye[2] = start.y - dz / length * 7;
    eye[1] = t.heightAt(eye[0], eye[2]) + 1.25f;

    const Capture bare = frame(t, sky, kGroundOnly);
    const Capture forest = frame(t, sky, kVegetation);
    const Capture scene = frame(t, sky, kVegetation | kFlags);
    ASSERT_TRUE(savePng(scene, "runners_eye"));

    // Sky above, the generated grass at the runner's feet.
    EXPECT_GT(shareNear(bare, 0, 0, 640, 40, {60, 120, 220}, 90), 0.6) << "blue sky at the top";
    std::optional<RgbImage> grass = loadBmpImage("Images\\grass.bmp");
    ASSERT_TRUE(grass.has_value());
    long sum[3] = {};
    for (size_t i = 0; i < grass->pixels.size(); ++i)
        sum[i % 3] += grass->pixels[i];
    const long texels = long(grass->pixels.size() / 3);
    const Rgb grassMean{int(sum[0] / texels), int(sum[1] / texels), int(sum[2] / texels)};
    EXPECT_LT(distanceTo(meanColour(bare, 0, 440, 640, 480), grassMean), 45) << "grass underfoot";

    // Trees and bushes fill a good part of the view.
    EXPECT_GT(shareDiffering(forest, bare, 24), 0.2);

    // The start's flag stands seven units ahead in the middle of the view,
    // orange and white.
    setPerspective(kFar);
    updateCamera(eye, heading);
    const float flagMiddle[3] = {start.x, t.heightAt(start.x, start.y) + 0.6f, start.y};
    double fx = 0, fy = 0;
    project(flagMiddle, fx, fy);
    EXPECT_NEAR(fx, 320, 40);
    int orange = 0, changed = 0;
    for (int y = int(fy) - 30; y < int(fy) + 30; ++y)
        for (int x = int(fx) - 30; x < int(fx) + 30; ++x) {
            Rgb p = scene.at(x, y);
            orange += p.r > 170 && p.g > 50 && p.g < 150 && p.b < 80;
            changed += distanceTo(p, forest.at(x, y)) > 30;
        }
    EXPECT_GT(orange, 30);
    EXPECT_GT(changed, 60);

    // Leaving out the models that cannot show changes no pixel.
    EXPECT_EQ(shareDiffering(forest, frame(t, sky, kUnculled), 0), 0);

    // From control 1 the view north-east reaches through the trees: whatever
    // stands 95 units or more away has faded towards the fog colour, the sky,
    // drawn without fog, has not, and nothing nearer than the fog's start has.
    eye[0] = first.x;
    eye[2] = first.y;
    eye[1] = t.heightAt(eye[0], eye[2]) + 1.25f;
    heading = 45;
    const Capture unfogged = frame(t, sky, kVegetation | kFlags | kNoFog);
    const Capture fogged = frame(t, sky, kVegetation | kFlags);
    const std::vector<float> distance = depthAlongView();
    savePng(fogged, "runners_eye_far");
    int faded = 0, unchanged = 0, far = 0, nearChanged = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const float d = distance[size_t(x + y * 640)];
            const Rgb withFog = fogged.at(x, y), plain = unfogged.at(x, y);
            const bool differs = distanceTo(withFog, plain) > 6;
            if (d < 88) {
                nearChanged += differs;
                continue;
            }
            if (d < 95)
                continue;
            if (!differs) {
                ++unchanged;
                continue;
            }
            ++far;
            faded += distanceTo(withFog, kFog) < distanceTo(plain, kFog);
        }
    EXPECT_EQ(nearChanged, 0);
    EXPECT_EQ(shareDiffering(fogged, frame(t, sky, kUnculled | kFlags), 0), 0);
    EXPECT_GT(far, 150) << "something is far enough away to fade";
    EXPECT_EQ(faded, far);
    EXPECT_GT(unchanged, 0) << "sky";

    t.release();
    sky.release();
}
