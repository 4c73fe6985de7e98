#include "app/command_line.h"

#include "app/command_line_support.h"

#include <limits>

namespace {

constexpr int kMinWidth = 320, kMinHeight = 240, kMaxSide = 16384;

const char* const kDescription =
    "Fernhollow: a first-person orienteering game. Pick a terrain size, a course and a forest mix;\n"
    "the game generates a hilly forest and its orienteering map, and you run the course against\n"
    "the clock. Without options it opens a 640x480 window with the main menu.";

const char* const kFooter =
    "F11 or Alt+Enter switches between the window and fullscreen at any time.\n"
    "The keys during play, the settings file and the folders read are listed in fernhollow(6).";

// A run number as --results lists them: 1 and up.
bool runNumber(const std::string& text, int64_t& value)
{
    unsigned long long v = 0;
    if (!cli::wholeNumber(text, 1, std::numeric_limits<int64_t>::max(), v))
        return false;
    value = static_cast<int64_t>(v);
    return true;
}

// Reads "WIDTHxHEIGHT" within the window sizes the game accepts.
bool parseWindowSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find_first_of("xX");
    unsigned long long w = 0, h = 0;
    if (x == std::string::npos || !cli::wholeNumber(text.substr(0, x), kMinWidth, kMaxSide, w) ||
        !cli::wholeNumber(text.substr(x + 1), kMinHeight, kMaxSide, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv)
{
    CommandLine line;
    CommandLineOptions& o = line.options;
    CLI::App app{kDescription, "fernhollow"};
    app.footer(kFooter);
    app.set_help_flag("-h,--help", "show this text and exit");
    app.set_version_flag("--version", cli::versionLine("fernhollow"), "show the version and exit");

    app.add_flag("--fullscreen", o.fullscreen, "start fullscreen at the desktop's resolution");
    std::string window;
    app.add_option("--window", window, "size of the window in pixels, from 320x240 (default 640x480)")
        ->type_name("WxH")
        ->check(cli::mustBe("WIDTHxHEIGHT from 320x240 to 16384x16384", [](const std::string& text) {
            int w = 0, h = 0;
            return parseWindowSize(text, w, h);
        }));

    std::string course;
    app.add_option("--course", course, "start the course of this code at once (XXXX-XXXX-XXXX, as the game shows it)")
        ->type_name("CODE")
        ->check(cli::courseCode());

    std::string resultsCode;
    CLI::Option* results =
        app.add_option("--results", resultsCode, "print the stored runs, or those on the course of CODE, and exit")
            ->type_name("[CODE]")
            ->expected(0, 1)
            ->check(cli::courseCode());

    std::vector<std::string> exportArgs;
    app.add_option("--export", exportArgs, "with --results: write the route analysis picture of stored run N to OUT.png")
        ->type_name("N OUT.png")
        ->type_size(2)
        ->expected(1);

    cli::Outcome outcome = cli::parse(app, argc, argv, line.output);
    if (outcome == cli::Outcome::Run && !exportArgs.empty()) {
        if (results->count() == 0) {
            outcome = cli::Outcome::BadUse;
            line.output = "--export goes with --results: --results --export N OUT.png (see --help)";
        } else if (!resultsCode.empty()) {
            outcome = cli::Outcome::BadUse;
            line.output = "--export takes a run number, not a course code after --results (see --help)";
        } else if (!runNumber(exportArgs[0], o.exportRun)) {
            outcome = cli::Outcome::BadUse;
            line.output = "--export needs a run number as --results lists them (got \"" + exportArgs[0] + "\")";
        } else {
            o.exportPath = exportArgs[1];
        }
    }
    if (outcome != cli::Outcome::Run) {
        line.exitNow = true;
        if (outcome == cli::Outcome::BadUse) {
            line.exitStatus = 2;
            line.output = "fernhollow: " + line.output + "\n";
        }
        return line;
    }
    if (!window.empty())
        parseWindowSize(window, o.windowWidth, o.windowHeight);
    if (!course.empty())
        o.course = coursecode::decode(course).settings;
    o.listResults = results->count() > 0;
    // Runs are stored under the code as the game writes it, whatever was typed.
    if (!resultsCode.empty())
        o.resultsCode = coursecode::encode(coursecode::decode(resultsCode).settings);
    return line;
}
