#include "app/command_line_support.h"

#include "coursecode/course_code.h"

#include <cerrno>
#include <cstdlib>

namespace cli {
namespace {

// CLI11 names the option in its messages; ours all begin with "--".
std::string optionNamedIn(const std::string& message)
{
    const size_t start = message.find("--");
    if (start == std::string::npos)
        return {};
    const size_t end = message.find_first_of(":= ", start);
    return message.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string describe(const CLI::ParseError& e)
{
    const std::string what = e.what();
    const std::string name = optionNamedIn(what);
    if (name.empty())
        return what + " (see --help)";
    if (dynamic_cast<const CLI::ValidationError*>(&e)) {
        // Our checks word the whole complaint; CLI11 puts "NAME: " before it.
        const std::string prefix = name + ": ";
        return what.compare(0, prefix.size(), prefix) == 0 ? name + " " + what.substr(prefix.size()) : what;
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e))
        return name + " needs a value (see --help)";
    return "bad value for " + name + " (see --help)";
}

// The first argument CLI11 did not take, as a complaint; empty when there
// is none but the "--" that ends the options.
std::string describeExtra(const std::vector<std::string>& extras)
{
    for (const std::string& arg : extras) {
        if (arg == "--")
            continue;
        if (arg.size() > 1 && arg[0] == '-')
            return "unknown option " + arg.substr(0, arg.find('=')) + " (see --help)";
        return "unexpected argument \"" + arg + "\" (see --help)";
    }
    return {};
}

} // namespace

bool wholeNumber(const std::string& text, unsigned long long low, unsigned long long high, unsigned long long& value)
{
    // strtoull alone would take a sign and leading spaces.
    if (text.empty() || text.size() > 20 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    value = std::strtoull(text.c_str(), nullptr, 10);
    return errno == 0 && value >= low && value <= high;
}

std::string versionLine(const std::string& program) { return program + " " + FERNHOLLOW_VERSION; }

CLI::Validator mustBe(const std::string& rule, std::function<bool(const std::string&)> accepts)
{
    return CLI::Validator(
        [rule, accepts](std::string& value) {
            return accepts(value) ? std::string() : "must be " + rule + " (got \"" + value + "\")";
        },
        "");
}

CLI::Validator courseCode()
{
    return CLI::Validator(
        [](std::string& text) {
            const coursecode::Decoded code = coursecode::decode(text);
            return code.ok ? std::string() : "\"" + text + "\" is not a course code: " + code.error;
        },
        "");
}

Outcome parse(CLI::App& app, int argc, const char* const* argv, std::string& output)
{
    app.allow_extras();
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        output = app.help();
        return Outcome::Help;
    } catch (const CLI::CallForVersion& e) {
        output = std::string(e.what()) + "\n";
        return Outcome::Version;
    } catch (const CLI::ParseError& e) {
        output = describe(e);
        return Outcome::BadUse;
    }
    output = describeExtra(app.remaining());
    return output.empty() ? Outcome::Run : Outcome::BadUse;
}

} // namespace cli
