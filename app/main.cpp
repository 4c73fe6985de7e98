#include "app/program.h"
#include "coursecode/course_code.h"
#include "platform/sdl_platform.h"
#include "results/results.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

namespace {

// The game's option, --course CODE (or --course=CODE). False, after a one-line
// message, for anything else or a code that does not read.
bool readArguments(int argc, char** argv, std::optional<coursecode::CourseSettings>& course)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string code;
        if (arg == "--course" && i + 1 < argc) {
            code = argv[++i];
        } else if (arg.rfind("--course=", 0) == 0) {
            code = arg.substr(9);
        } else if (arg == "--course") {
            std::fprintf(stderr, "fernhollow: --course needs a code (--course XXXX-XXXX-XXXX)\n");
            return false;
        } else {
            std::fprintf(stderr, "fernhollow: unknown argument \"%s\" (the options are --course CODE and --results [CODE])\n",
                         arg.c_str());
            return false;
        }
        const coursecode::Decoded decoded = coursecode::decode(code);
        if (!decoded.ok) {
            std::fprintf(stderr, "fernhollow: --course \"%s\" is not a course code: %s\n", code.c_str(),
                         decoded.error.c_str());
            return false;
        }
        course = decoded.settings;
    }
    return true;
}

// `--results [CODE]`: the stored runs, all or on one course, instead of a game.
int listResults(int argc, char** argv)
{
    if (argc > 3) {
        std::fprintf(stderr, "fernhollow: --results takes one course code at most\n");
        return 2;
    }
    std::string code;
    if (argc == 3) {
        const coursecode::Decoded decoded = coursecode::decode(argv[2]);
        if (!decoded.ok) {
            std::fprintf(stderr, "fernhollow: --results \"%s\" is not a course code: %s\n", argv[2],
                         decoded.error.c_str());
            return 2;
        }
        // Runs are stored under the code as the game writes it.
        code = coursecode::encode(decoded.settings);
    }
    return results::printResultsHistory(results::defaultDatabasePath(), code, std::cout, std::cerr);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "--results")
        return listResults(argc, argv);
    std::optional<coursecode::CourseSettings> course;
    if (!readArguments(argc, argv, course))
        return 2;
    platform::SdlPlatform sdl;
    platform::setCurrent(&sdl);
    return runProgram(course ? &*course : nullptr);
}
