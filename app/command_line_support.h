#pragma once
// What the game's and the map tool's command lines share: CLI11 parsing with
// one-line complaints that name the option at fault. Include it only from the
// .cpp of a command line; it brings CLI11 with it.
#include <CLI/CLI.hpp>

#include <functional>
#include <string>

namespace cli {

// "fernhollow 0.25": the version line both programs print.
std::string versionLine(const std::string& program);

// Reads decimal digits only (no sign, no spaces) as a number from low to
// high; false for anything else, too large numbers included.
bool wholeNumber(const std::string& text, unsigned long long low, unsigned long long high, unsigned long long& value);

// A check on an option's text; a value it refuses is reported as
// "NAME must be RULE (got "VALUE")".
CLI::Validator mustBe(const std::string& rule, std::function<bool(const std::string&)> accepts);

enum class Outcome {
    Run,      // go on with the options read
    Help,     // output holds the help text
    Version,  // output holds the version line
    BadUse,   // output holds one line, without the program's name, naming the
              // option or argument at fault; the exit status is then 2
};

// A check that the text is a course code; a code that does not read is
// reported as "NAME "TEXT" is not a course code: WHY".
CLI::Validator courseCode();

// Runs `app` over argv. Unknown options and stray arguments are bad use.
Outcome parse(CLI::App& app, int argc, const char* const* argv, std::string& output);

} // namespace cli
