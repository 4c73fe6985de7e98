#include "platform/asset_path.h"

#include "platform/platform.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <vector>

namespace platform {
namespace {

std::vector<std::string> splitComponents(const std::string& name)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : name) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

bool exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Exact names win, so a folder holding both "a" and "A" still behaves.
std::string findEntry(const std::string& folder, const std::string& part)
{
    if (part == "." || part == "..")
        return part;
    if (exists(folder + part))
        return part;
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, part.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

} // namespace

std::string resolveIn(const std::string& folder, const std::string& name)
{
    std::string path = folder;
    for (const std::string& part : splitComponents(name)) {
        std::string entry = findEntry(path, part);
        if (entry.empty())
            return {};
        path += entry;
        path += '/';
    }
    if (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}

std::string assetPath(const std::string& name)
{
    const std::string base = current().baseFolder();
    for (const std::string& folder : {base, base + "../share/fernhollow/", base + "../share/games/fernhollow/"}) {
        std::string found = resolveIn(folder, name);
        if (!found.empty())
            return found;
    }
    std::string fallback = base;
    for (const std::string& part : splitComponents(name))
        fallback += part + "/";
    if (!fallback.empty())
        fallback.pop_back();
    return fallback;
}

} // namespace platform
