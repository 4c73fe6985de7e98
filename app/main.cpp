#include "app/program.h"
#include "coursecode/course_code.h"
#include "platform/sdl_platform.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

// The one option, --course CODE (or --course=CODE). False, after a one-line
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
            std::fprintf(stderr, "fernhollow: unknown argument \"%s\" (the one option is --course CODE)\n",
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

} // namespace

int main(int argc, char** argv)
{
    std::optional<coursecode::CourseSettings> course;
    if (!readArguments(argc, argv, course))
        return 2;
    platform::SdlPlatform sdl;
    platform::setCurrent(&sdl);
    return runProgram(course ? &*course : nullptr);
}
