#include "tools/mapgen/mapgen_options.h"

#include "coursecode/course_code.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool parseWhole(const std::string& text, unsigned long long limit, unsigned long long& value)
{
    if (text.empty() || text.size() > 20 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return errno == 0 && value <= limit;
}

// 1 high, 2 medium, 3 low; 0 for anything else.
int32_t parseAmount(const std::string& text)
{
    if (text == "high")
        return 1;
    if (text == "medium")
        return 2;
    if (text == "low")
        return 3;
    return 0;
}

int32_t parseLegs(const std::string& text)
{
    if (text == "small")
        return 1;
    if (text == "big")
        return 2;
    if (text == "mixed")
        return 3;
    return 0;
}

bool applyOption(const std::string& name, const std::string& value, MapgenOptions& o, std::string& error)
{
    unsigned long long whole = 0;
    if (name == "--seed") {
        if (!parseWhole(value, 0xFFFFFFFFull, whole)) {
            error = "--seed must be a whole number from 0 to 4294967295 (got \"" + value + "\")";
            return false;
        }
        o.seed = static_cast<uint32_t>(whole);
    } else if (name == "--size") {
        if (!parseWhole(value, 512, whole) || (whole != 128 && whole != 256 && whole != 512)) {
            error = "--size must be 128, 256 or 512 (got \"" + value + "\")";
            return false;
        }
        o.size = static_cast<int32_t>(whole);
    } else if (name == "--open" || name == "--dense") {
        const int32_t amount = parseAmount(value);
        if (amount == 0) {
            error = name + " must be high, medium or low (got \"" + value + "\")";
            return false;
        }
        (name == "--open" ? o.openAreas : o.denseAreas) = amount;
    } else if (name == "--controls") {
        if (!parseWhole(value, 20, whole) || whole < 4) {
            error = "--controls must be a whole number from 4 to 20 (got \"" + value + "\")";
            return false;
        }
        o.controls = static_cast<int32_t>(whole);
    } else if (name == "--legs") {
        o.legSize = parseLegs(value);
        if (o.legSize == 0) {
            error = "--legs must be small, big or mixed (got \"" + value + "\")";
            return false;
        }
    } else if (name == "--course") {
        const coursecode::Decoded code = coursecode::decode(value);
        if (!code.ok) {
            error = "--course \"" + value + "\" is not a course code: " + code.error;
            return false;
        }
        const coursecode::CourseSettings& c = code.settings;
        o.seed = c.seed;
        o.size = c.mapSize;
        o.openAreas = c.openAreas;
        o.denseAreas = c.denseAreas;
        o.controls = c.controls;
        o.legSize = c.legSize;
        o.courseNumber = c.courseNumber;
    } else if (name == "--out") {
        if (value.empty()) {
            error = "--out needs a folder name";
            return false;
        }
        o.outDir = value;
    } else {
        error = "unknown option " + name + " (see --help)";
        return false;
    }
    return true;
}

} // namespace

bool parseMapgenOptions(int argc, const char* const* argv, MapgenOptions& options, std::string& error)
{
    bool course = false;
    std::string setting;  // a generation option other than --course
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
        if (arg.rfind("--", 0) != 0) {
            error = "unexpected argument \"" + arg + "\" (see --help)";
            return false;
        }
        std::string value;
        const size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.erase(equals);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            error = arg + " needs a value (see --help)";
            return false;
        }
        if (!applyOption(arg, value, options, error))
            return false;
        if (arg == "--course")
            course = true;
        else if (arg != "--out" && setting.empty())
            setting = arg;
    }
    if (course && !setting.empty()) {
        error = "--course already fixes the seed and every setting; leave out " + setting;
        return false;
    }
    if (options.outDir.empty()) {
        error = "missing --out DIR (see --help)";
        return false;
    }
    return true;
}

const char* mapgenUsage()
{
    return "Usage: fernhollow-mapgen [options] --out DIR\n"
           "Generates a Fernhollow terrain, course and orienteering map exactly as the\n"
           "game's \"Generate Map\" does, places the vegetation, and writes them to DIR.\n"
           "\n"
           "Options:\n"
           "  --seed S         seed of the random generator, 0 ... 4294967295 (default 1)\n"
           "  --size N         cells per side: 128, 256 or 512 (default 256)\n"
           "  --open A         amount of open land: high, medium or low (default medium)\n"
           "  --dense A        amount of dense forest: high, medium or low (default medium)\n"
           "  --controls C     course points, the start included: 4 ... 20 (default 8)\n"
           "  --legs L         leg lengths: small, big or mixed (one long leg after\n"
           "                   every three short ones) (default small)\n"
           "  --course CODE    the course of a course code (as the game shows it),\n"
           "                   instead of the five options above and --seed\n"
           "  --out DIR        folder to write into; made if missing (required)\n"
           "  --help           show this text\n"
           "Options also take the form --name=value.\n"
           "\n"
           "The course code of what was generated is printed on success.\n"
           "\n"
           "Files written into DIR:\n"
           "  map.png          the map, one pixel per cell, row 0 at the top\n"
           "  map2x.png        the map at double resolution (sizes 128 and 256 only;\n"
           "                   one left by an earlier run is removed at size 512)\n"
           "  height.f32       heights, little-endian float32, index x + y * N\n"
           "  classes.u8       vegetation class per cell: 0 forest, 32 open, 33 dense\n"
           "  objects.u8       object per cell: 0 none, 1-3 trees, 6-8 bushes\n"
           "  course.csv       header index,x,y then one line per point, start first\n"
           "\n"
           "Exit status: 0 on success, 1 when DIR or a file cannot be written,\n"
           "2 for a bad option or value.\n";
}
