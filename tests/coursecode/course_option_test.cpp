// --course on both command lines, through the real executables.
#include "coursecode/course_code.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
    int status = -1;
    std::string output;  // stdout and stderr
};

Outcome runCommand(const std::string& command)
{
    Outcome o;
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return o;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        o.output += buffer;
    const int raw = pclose(pipe);
    o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return o;
}

} // namespace

TEST(CourseOption, ABadCodeEndsEitherProgramWithOneLineAndStatusTwo)
{
    coursecode::CourseSettings s;
    s.seed = 31337;
    std::string typo = coursecode::encode(s);
    typo[1] = typo[1] == '7' ? '8' : '7';
    const std::string out = std::string(" --out ") + FERNHOLLOW_TEST_OUTPUT + "/course-option";
    const struct {
        std::string command;
        const char* says;
    } cases[] = {
        {std::string(FERNHOLLOW_GAME) + " --course " + typo, "Check failed"},
        {std::string(FERNHOLLOW_GAME) + " --course=ABCD-EFGH", "Too short"},
        {std::string(FERNHOLLOW_GAME) + " --course", "--course needs a code"},
        {std::string(FERNHOLLOW_GAME) + " --seed 5", "unknown argument"},
        {std::string(FERNHOLLOW_MAPGEN) + " --course " + typo + out, "Check failed"},
        {std::string(FERNHOLLOW_MAPGEN) + " --course U" + out, "Bad character: U"},
    };
    for (const auto& c : cases) {
        const Outcome o = runCommand(c.command);
        EXPECT_EQ(o.status, 2) << c.command;
        EXPECT_NE(o.output.find(c.says), std::string::npos) << o.output;
        EXPECT_EQ(o.output.find('\n'), o.output.size() - 1) << "one line: " << o.output;
    }
}
