#pragma once
// A fresh folder for one test's files, removed with everything in it when
// the object goes.
#include <string>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in '/'.
    const std::string& path() const { return path_; }
    // Creates the subfolder `name` (and its parents) and returns its path, ending in '/'.
    std::string subfolder(const std::string& name) const;

private:
    std::string path_;
};

// The whole of a file as bytes; empty when it cannot be read.
std::string fileText(const std::string& path);
// Writes `text` as the whole of a file, making its folders first.
void writeText(const std::string& path, const std::string& text);

// Points XDG_DATA_HOME (the results and the analysis pictures) at a fresh
// folder while it lives, then puts back what was there.
class DataHome {
public:
    DataHome();
    ~DataHome();
    const std::string& path() const { return folder_.path(); }

private:
    TempFolder folder_;
    std::string previous_;
    bool had_ = false;
};

} // namespace testsupport
