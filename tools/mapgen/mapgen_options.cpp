#include "tools/mapgen/mapgen_options.h"

#include "app/command_line_support.h"
#include "coursecode/course_code.h"

#include <vector>

namespace {

const char* const kDescription =
    "Generates a Fernhollow terrain, course and orienteering map exactly as the\n"
    "game's \"Generate Map\" does, places the vegetation, and writes them to DIR.";

const char* const kFooter =
    "Options also take the form --name=value. A mixed course has one long leg\n"
    "after every three short ones.\n"
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
    "2 for a bad option or value.";

bool parseSeed(const std::string& text, uint32_t& seed)
{
    unsigned long long v = 0;
    if (!cli::wholeNumber(text, 0, 0xFFFFFFFFull, v))
        return false;
    seed = static_cast<uint32_t>(v);
    return true;
}

bool parseSize(const std::string& text, int32_t& size)
{
    unsigned long long v = 0;
    if (!cli::wholeNumber(text, 128, 512, v) || (v != 128 && v != 256 && v != 512))
        return false;
    size = static_cast<int32_t>(v);
    return true;
}

bool parseControls(const std::string& text, int32_t& controls)
{
    unsigned long long v = 0;
    if (!cli::wholeNumber(text, 4, 20, v))
        return false;
    controls = static_cast<int32_t>(v);
    return true;
}

// 1 high, 2 medium, 3 low.
bool parseAmount(const std::string& text, int32_t& amount)
{
    const int32_t a = text == "high" ? 1 : text == "medium" ? 2 : text == "low" ? 3 : 0;
    if (a)
        amount = a;
    return a != 0;
}

bool parseLegs(const std::string& text, int32_t& legs)
{
    const int32_t l = text == "small" ? 1 : text == "big" ? 2 : text == "mixed" ? 3 : 0;
    if (l)
        legs = l;
    return l != 0;
}

// An option whose text `convert` turns into `target`; a value it refuses is
// reported as "NAME must be RULE". Given twice, the last one counts.
template <typename T>
CLI::Option* addValue(CLI::App& app, const char* name, const char* typeName, const char* rule,
                      bool (*convert)(const std::string&, T&), T& target, const char* description)
{
    return app.add_option_function<std::string>(
           name, [&target, convert](const std::string& text) { convert(text, target); }, description)
        ->type_name(typeName)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(cli::mustBe(rule, [convert](const std::string& text) {
            T ignored{};
            return convert(text, ignored);
        }));
}

// Returns the generation options, which --course fixes.
std::vector<CLI::Option*> describeOptions(CLI::App& app, MapgenOptions& o, std::string& course)
{
    app.footer(kFooter);
    app.set_help_flag("-h,--help", "show this text");
    app.set_version_flag("--version", cli::versionLine("fernhollow-mapgen"), "show the version");
    const std::vector<CLI::Option*> generation = {
        addValue(app, "--seed", "S", "a whole number from 0 to 4294967295", parseSeed, o.seed,
                 "seed of the random generator, 0 ... 4294967295 (default 1)"),
        addValue(app, "--size", "N", "128, 256 or 512", parseSize, o.size,
                 "cells per side: 128, 256 or 512 (default 256)"),
        addValue(app, "--open", "A", "high, medium or low", parseAmount, o.openAreas,
                 "amount of open land: high, medium or low (default medium)"),
        addValue(app, "--dense", "A", "high, medium or low", parseAmount, o.denseAreas,
                 "amount of dense forest: high, medium or low (default medium)"),
        addValue(app, "--controls", "C", "a whole number from 4 to 20", parseControls, o.controls,
                 "course points, the start included: 4 ... 20 (default 8)"),
        addValue(app, "--legs", "L", "small, big or mixed", parseLegs, o.legSize,
                 "leg lengths: small, big or mixed (default small)"),
    };
    app.add_option("--course", course, "a course code as the game shows it, in place of the six options above")
        ->type_name("CODE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(cli::courseCode());
    app.add_option("--out", o.outDir, "folder to write into; made if missing (required)")
        ->type_name("DIR")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::Validator(
            [](std::string& dir) { return dir.empty() ? std::string("needs a folder name") : std::string(); }, ""));
    return generation;
}

} // namespace

bool parseMapgenOptions(int argc, const char* const* argv, MapgenOptions& options, std::string& error)
{
    CLI::App app{kDescription, "fernhollow-mapgen"};
    std::string course;
    const std::vector<CLI::Option*> generation = describeOptions(app, options, course);
    std::string output;
    switch (cli::parse(app, argc, argv, output)) {
    case cli::Outcome::Help:
        options.help = true;
        options.text = output;
        return true;
    case cli::Outcome::Version:
        options.version = true;
        options.text = output;
        return true;
    case cli::Outcome::BadUse:
        error = output;
        return false;
    case cli::Outcome::Run:
        break;
    }
    if (!course.empty()) {
        for (const CLI::Option* option : generation)
            if (option->count() > 0) {
                error = "--course already fixes the seed and every setting; leave out " + option->get_name();
                return false;
            }
        const coursecode::CourseSettings c = coursecode::decode(course).settings;
        options.seed = c.seed;
        options.size = c.mapSize;
        options.openAreas = c.openAreas;
        options.denseAreas = c.denseAreas;
        options.controls = c.controls;
        options.legSize = c.legSize;
        options.courseNumber = c.courseNumber;
    }
    if (options.outDir.empty()) {
        error = "missing --out DIR (see --help)";
        return false;
    }
    return true;
}
