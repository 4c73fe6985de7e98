#include "game/finish_analysis.h"

#include "app/game.h"
#include "app/overlay.h"
#include "game/route_analysis.h"
#include "platform/asset_path.h"
#include "results/results.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

// Lines through the overlay points, `width` pixels wide.
void drawLineStrip(const std::vector<float>& xy, uint32_t colour, float width)
{
    if (xy.size() < 4)
        return;
    beginOverlay();
    glDisable(GL_TEXTURE_2D);
    glLineWidth(width);
    setColour(colour);
    glBegin(GL_LINE_STRIP);
    for (size_t i = 0; i + 1 < xy.size(); i += 2)
        glVertex2f(xy[i], xy[i + 1]);
    glEnd();
    glLineWidth(1);
    endOverlay();
}

// Writes the picture; returns the line the HUD shows about it.
std::string savePicture(const MapImage& map, AnalysisSubject subject, const std::string& fontPath,
                        const std::string& folder)
{
    const std::string path = folder + "/" + analysisFileName(subject.run.courseCode, subject.run.finishedUtc);
    std::string error;
    RgbImage font;
    if (!loadPictureFont(fontPath, font, error))
        return "Analysis picture not saved: " + error;
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    if (made)
        return "Analysis picture not saved: cannot make the folder " + folder + ": " + made.message();
    subject.map = &map;
    if (!saveAnalysisPicture(drawAnalysisPicture(subject, font), path, error))
        return "Analysis picture not saved: " + error;
    return "Analysis picture saved: " + path;
}

} // namespace

void FinishAnalysis::drawUnderTrail(Game& g)
{
    const bool p = g.input.scanCodeDown(kScanP), s = g.input.scanCodeDown(kScanS);
    if (p && !pLatch)
        paceShown = !paceShown;
    if (s && !sLatch && !saving.valid()) {
        saveAsked = true;
        savedLines.clear();
    }
    pLatch = p;
    sLatch = s;
    if (!g.routes.ready())
        return;
    // Map pixel x lies at (fullMapX + x) * zoom + 319, as the map is drawn.
    const Terrain& t = g.terrain;
    for (const LegRoute& leg : g.routes.results()) {
        std::vector<float> xy;
        for (const RoutePoint& at : leg.path) {
            xy.push_back((t.fullMapX + at.x) * t.zoom + 319);
            xy.push_back((t.fullMapY + at.z) * t.zoom + 239);
        }
        drawLineStrip(xy, kFastestRouteColour, 3);
    }
}

void FinishAnalysis::drawTrail(Game& g)
{
    Player& p = g.player;
    const Terrain& t = g.terrain;
    if (!paceShown) {
        p.drawReplayTrail(g.replayTime, t.zoom, t.fullMapX, t.fullMapY);
        return;
    }
    if (pace.size() * 2 != p.trail.size())
        pace = routePace(p.trail);
    // As far along as the magenta trail would be, at the same points.
    const int n = std::min(p.replayedSamples(g.replayTime), static_cast<int>(pace.size()));
    if (n <= 0)
        return;
    beginOverlay();
    glDisable(GL_TEXTURE_2D);
    for (int pass = 0; pass < 2; ++pass) {
        glPointSize(pass == 0 ? 5.0f : 3.0f);
        glBegin(GL_POINTS);
        for (int i = 0; i < n; ++i) {
            setColour(pass == 0 ? 0x000000 : paceColour(pace[static_cast<size_t>(i)]));
            glVertex2f((t.fullMapX + p.trail[2 * i]) * t.zoom + 320, (t.fullMapY + p.trail[2 * i + 1]) * t.zoom + 240);
        }
        glEnd();
    }
    endOverlay();
}

void FinishAnalysis::addLines(Game& g)
{
    HudText& hud = g.hudText;
    if (!g.routes.ready()) {
        hud.addLine("Fastest routes: still being worked out...");
    } else {
        if (!columnsAdded && g.runResults.recorded) {
            addRouteColumns(g.runResults.splitTable, g.routes.results(), g.player.splitMs);
            columnsAdded = true;
        }
        hud.addLine("Violet: fastest routes. P: %s, S: picture", paceShown ? "magenta trail" : "pace colours");
    }

    if (saveAsked && g.routes.ready() && g.runResults.recorded) {
        saveAsked = false;
        AnalysisSubject subject;
        subject.legs = g.routes.results();
        subject.run = g.runResults.run;
        const std::string folder = std::filesystem::path(results::defaultDatabasePath()).parent_path().string();
        const std::string fontPath = platform::assetPath("Images\\font.bmp");
        // Shared, so that the fallback below still has the map when the
        // thread could not start, without drawing it a second time.
        auto map = std::make_shared<const MapImage>(mapAtDoubleSize(g.terrain));
        try {
            saving = std::async(std::launch::async, [map, subject, fontPath, folder]() mutable {
                std::string line = savePicture(*map, std::move(subject), fontPath, folder);
                map.reset();  // not held until the line is collected
                return line;
            });
        } catch (const std::system_error&) {
            // No thread to be had: save now, in this frame.
            savedLines.clear();
            addWrapped(savedLines, savePicture(*map, subject, fontPath, folder));
        }
    }
    if (saving.valid() && saving.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        savedLines.clear();
        addWrapped(savedLines, saving.get());
    }
    if (saveAsked || saving.valid())
        hud.addLine("Saving the analysis picture...");
    for (const std::string& line : savedLines)
        hud.addLine("%s", line.c_str());
}
