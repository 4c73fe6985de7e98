#include "app/analysis_export.h"

#include "app/course_making.h"
#include "coursecode/course_code.h"
#include "game/route_analysis.h"
#include "results/results.h"
#include "route/route.h"
#include "terrain/terrain.h"

#include <optional>

int exportAnalysis(const std::string& databasePath, int64_t runId, const std::string& outPath,
                   const std::string& fontPath, std::ostream& out, std::ostream& err)
{
    std::string error;
    std::optional<results::Run> run;
    if (!results::ResultsStore(databasePath).runById(runId, run, error)) {
        err << "fernhollow: " << error << "\n";
        return 1;
    }
    if (!run) {
        err << "fernhollow: there is no run " << runId << " in " << databasePath << "\n";
        return 1;
    }
    const coursecode::Decoded code = coursecode::decode(run->courseCode);
    if (!code.ok) {
        err << "fernhollow: run " << runId << " has no course code this version can read (\"" << run->courseCode
            << "\": " << code.error << ")\n";
        return 1;
    }
    RgbImage font;
    if (!loadPictureFont(fontPath, font, error)) {
        err << "fernhollow: " << error << "\n";
        return 1;
    }

    Terrain terrain;
    generateCourseOf(terrain, code.settings);
    MapImage map = mapAtDoubleSize(terrain);
    AnalysisSubject subject;
    subject.map = &map;
    subject.legs = planCourseRoutes(HeightSnapshot::of(terrain), coursePoints(terrain));
    subject.run = *run;
    if (!saveAnalysisPicture(drawAnalysisPicture(subject, font), outPath, error)) {
        err << "fernhollow: " << error << "\n";
        return 1;
    }
    out << "The analysis of run " << runId << " is in " << outPath << "\n";
    return 0;
}
