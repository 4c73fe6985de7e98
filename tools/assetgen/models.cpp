#include "tools/assetgen/asset_list.h"

#include "tools/assetgen/model_makers.h"

namespace assetgen {

void addModels(AssetList& out)
{
    const struct {
        const char* name;
        ModelBuilder (*make)();
    } models[] = {{"tree1.vr", makeSpruce},      {"tree2.vr", makePine},  {"tree3.vr", makeBirch},
                  {"bush1.vr", makeJuniper},     {"bush2.vr", makeShrub}, {"bush3.vr", makeFern},
                  {"baliza.vr", makeControlFlag}};
    for (const auto& m : models) {
        const std::string text = m.make().vrText();
        out.push_back({"Models", m.name, std::vector<uint8_t>(text.begin(), text.end())});
    }
}

} // namespace assetgen
