#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "fernhollow-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern + "/";
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::subfolder(const std::string& name) const
{
    std::filesystem::create_directories(path_ + name);
    return path_ + name + "/";
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::string& path, const std::string& text)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

DataHome::DataHome()
{
    const char* was = std::getenv("XDG_DATA_HOME");
    had_ = was != nullptr;
    if (had_)
        previous_ = was;
    setenv("XDG_DATA_HOME", folder_.path().c_str(), 1);
}

DataHome::~DataHome()
{
    if (had_)
        setenv("XDG_DATA_HOME", previous_.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

} // namespace testsupport
