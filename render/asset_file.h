#pragma once
// Where the readers find the files they are given.
#include <string>

// An absolute path as it is; anything else is an asset name written
// Windows-style ("Models\\tree1.vr") and found beside the executable.
std::string resolveAssetFile(const std::string& name);
