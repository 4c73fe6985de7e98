#pragma once
// The user's folders for settings and data, found the same way for every
// subsystem that keeps files.
#include <string>

namespace settings {

// $xdgVariable when it holds an absolute path (a relative one counts as
// unset), else underHome inside the home folder: $HOME, or the account's
// home when HOME is unset or empty. Empty when there is no home either.
std::string userFolder(const char* xdgVariable, const char* underHome);

} // namespace settings
