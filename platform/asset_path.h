#pragma once
// Asset names are written Windows-style ("images\Sky.bmp"): backslashes
// separate folders and case does not matter. These turn them into real paths.
#include <string>

namespace platform {

// Resolves `name` against `folder` (which ends in '/'): each component is
// matched case-insensitively against the folder's entries. Returns the real
// path, or an empty string when some component does not exist.
std::string resolveIn(const std::string& folder, const std::string& name);

// Resolves an asset name beside the executable, then in
// ../share/fernhollow and ../share/games/fernhollow beside it (an installed
// copy: /usr/games finds /usr/share/games). Returns the first real
// path found, or the name as written beside the executable when none exists
// (so the reader's error message names a sensible file).
std::string assetPath(const std::string& name);

} // namespace platform
