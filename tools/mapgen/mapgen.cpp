#include "tools/mapgen/mapgen.h"

#include "app/course_making.h"
#include "coursecode/course_code.h"
#include "terrain/terrain.h"
#include "tools/mapgen/map_files.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace {

bool writeAll(const std::string& dir, const Terrain& terrain, const MapImage& doubleImage, std::string& error)
{
    namespace fs = std::filesystem;
    const size_t cells = terrain.heightmap.size();
    std::vector<uint8_t> classes(cells);
    for (size_t c = 0; c < cells; ++c)
        classes[c] = static_cast<uint8_t>(terrain.classes[c]);

    const fs::path base(dir);
    if (!writePng((base / "map.png").string(), terrain.mapImage, error))
        return false;
    const fs::path twice = base / "map2x.png";
    if (doubleImage.pixels()) {
        if (!writePng(twice.string(), doubleImage, error))
            return false;
    } else {
        std::error_code ignored;
        fs::remove(twice, ignored);
    }
    return writeFloats((base / "height.f32").string(), terrain.heightmap.data(), cells, error) &&
           writeBytes((base / "classes.u8").string(), classes.data(), cells, error) &&
           writeBytes((base / "objects.u8").string(), terrain.objectKinds.data(), cells, error) &&
           writeCourseCsv((base / "course.csv").string(), terrain.course, g_nControls, error);
}

coursecode::CourseSettings courseOf(const MapgenOptions& options)
{
    coursecode::CourseSettings c;
    c.seed = options.seed;
    c.mapSize = options.size;
    c.openAreas = options.openAreas;
    c.denseAreas = options.denseAreas;
    c.controls = options.controls;
    c.legSize = options.legSize;
    c.courseNumber = options.courseNumber;
    return c;
}

} // namespace

void generatePrintableMap(const MapgenOptions& options, Terrain& terrain, MapImage& doubleImage)
{
    generateCourseOf(terrain, courseOf(options));
    doubleImage.release();
    terrain.drawMapImages(&doubleImage);
    terrain.placeVegetation();
}

int runMapgen(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    MapgenOptions options;
    std::string error;
    if (!parseMapgenOptions(argc, argv, options, error)) {
        err << "fernhollow-mapgen: " << error << "\n";
        return 2;
    }
    if (options.help || options.version) {
        out << options.text;
        return 0;
    }

    std::error_code made;
    std::filesystem::create_directories(options.outDir, made);
    if (made || !std::filesystem::is_directory(options.outDir)) {
        err << "fernhollow-mapgen: cannot make output folder " << options.outDir << ": "
            << (made ? made.message() : "not a folder") << "\n";
        return 1;
    }

    Terrain terrain;
    MapImage doubleImage;
    generatePrintableMap(options, terrain, doubleImage);
    if (!writeAll(options.outDir, terrain, doubleImage, error)) {
        err << "fernhollow-mapgen: " << error << "\n";
        return 1;
    }
    out << "Course code: " << coursecode::encode(courseOf(options)) << "\n";
    return 0;
}
