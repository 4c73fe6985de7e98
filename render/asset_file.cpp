#include "render/asset_file.h"

#include "platform/asset_path.h"

std::string resolveAssetFile(const std::string& name)
{
    if (!name.empty() && name[0] == '/')
        return name;
    return platform::assetPath(name);
}
