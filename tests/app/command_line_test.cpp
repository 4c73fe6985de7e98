#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

CommandLine parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "fernhollow");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

} // namespace

TEST(CommandLine, OptionsAreReadOverAPlainStart)
{
    const struct {
        std::vector<const char*> args;
        bool fullscreen;
        int width, height;
    } cases[] = {
        {{}, false, 640, 480},
        {{"--fullscreen"}, true, 640, 480},
        {{"--window", "800x600"}, false, 800, 600},
        {{"--window=1920X1080", "--fullscreen", "--"}, true, 1920, 1080},
    };
    for (const auto& c : cases) {
        const CommandLine line = parse(c.args);
        ASSERT_FALSE(line.exitNow) << line.output;
        EXPECT_EQ(line.options.fullscreen, c.fullscreen);
        EXPECT_EQ(line.options.windowWidth, c.width);
        EXPECT_EQ(line.options.windowHeight, c.height);
        EXPECT_FALSE(line.options.course);
    }
    coursecode::CourseSettings course;
    course.seed = 77;
    course.controls = 12;
    const std::string code = coursecode::encode(course);
    const CommandLine line = parse({"--course", code.c_str()});
    ASSERT_TRUE(line.options.course) << line.output;
    EXPECT_TRUE(*line.options.course == course);
    EXPECT_FALSE(line.options.listResults);

    // --results lists every course, or one by its code however it was typed.
    const CommandLine all = parse({"--results"});
    EXPECT_TRUE(all.options.listResults && all.options.resultsCode.empty()) << all.output;
    std::string typed = code;
    typed.erase(4, 1);
    for (char& c : typed)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const CommandLine one = parse({"--results", typed.c_str()});
    EXPECT_TRUE(one.options.listResults) << one.output;
    EXPECT_EQ(one.options.resultsCode, code);
    EXPECT_EQ(one.options.exportRun, 0);

    const CommandLine picture = parse({"--results", "--export", "12", "out.png"});
    EXPECT_EQ(picture.options.exportRun, 12) << picture.output;
    EXPECT_EQ(picture.options.exportPath, "out.png");
}

TEST(CommandLine, BadUseIsOneLineNamingTheOptionWithStatusTwo)
{
    const struct {
        std::vector<const char*> args;
        const char* says;
    } cases[] = {
        {{"--windw", "800x600"}, "unknown option --windw"},
        {{"-x"}, "unknown option -x"},
        {{"800x600"}, "unexpected argument \"800x600\""},
        {{"--window"}, "--window needs a value"},
        {{"--fullscreen=maybe"}, "--fullscreen"},
        {{"--course", "ABCD-EFGH"}, "--course \"ABCD-EFGH\" is not a course code"},
        {{"--results", "ABCD-EFGH"}, "--results \"ABCD-EFGH\" is not a course code"},
        {{"--export", "1", "out.png"}, "--export goes with --results"},
        {{"--results", "--export", "1"}, "--export needs a value"},
        {{"--results", "--export", "0", "out.png"}, "--export needs a run number"},
        {{"--results", "--export", "out.png", "1"}, "--export needs a run number"},
        {{"--results", "54M0-C0K9-P73F", "--export", "1", "out.png"}, "--export takes a run number, not a course code"},
    };
    for (const auto& c : cases) {
        const CommandLine line = parse(c.args);
        EXPECT_TRUE(line.exitNow);
        EXPECT_EQ(line.exitStatus, 2) << c.says;
        EXPECT_EQ(line.output.rfind("fernhollow: ", 0), 0u) << line.output;
        EXPECT_NE(line.output.find(c.says), std::string::npos) << line.output;
        EXPECT_EQ(line.output.find('\n'), line.output.size() - 1) << line.output;
    }
    for (const char* size : {"800", "319x240", "640x239", "16385x600", "800x600x2", "-800x600", "99999999999x1"}) {
        const CommandLine line = parse({"--window", size});
        EXPECT_EQ(line.exitStatus, 2) << size;
        EXPECT_NE(line.output.find("--window must be WIDTHxHEIGHT"), std::string::npos) << line.output;
    }
}

TEST(CommandLine, HelpAndVersionAnswerWithStatusZero)
{
    const CommandLine help = parse({"--help"});
    EXPECT_TRUE(help.exitNow);
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* option : {"--help", "--version", "--fullscreen", "--window"})
        EXPECT_NE(help.output.find(option), std::string::npos) << option;
    EXPECT_EQ(parse({"--version"}).output, "fernhollow " FERNHOLLOW_VERSION "\n");
}
