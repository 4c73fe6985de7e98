#include "settings/user_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace settings {

std::string userFolder(const char* xdgVariable, const char* underHome)
{
    const char* xdg = std::getenv(xdgVariable);
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        // A session started without a login shell (a service, sudo -i, env -i)
        // may lack HOME; the account still has a home.
        const passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    if (!home || !home[0])
        return {};
    return std::string(home) + "/" + underHome;
}

} // namespace settings
