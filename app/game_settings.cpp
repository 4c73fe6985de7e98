#include "app/game_settings.h"

#include "app/game.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <cstdio>
#include <variant>

namespace {

using Slot = std::variant<bool*, int32_t*>;

template <int Low, int High> bool within(int v) { return v >= Low && v <= High; }
bool mapSide(int v) { return v == 128 || v == 256 || v == 512; }

struct Binding {
    SettingsPage page;
    const char* name;  // in the page's section
    int pageDefault;   // what building the page sets when nothing is stored
    bool (*valid)(int);
    Slot (*slot)(Game&);
};

// Every persisted setting. One line each; a page's values are stored together.
const Binding kBindings[] = {
    {SettingsPage::Options, "compass", 1, within<0, 1>, [](Game& g) -> Slot { return &g.player.compass.visible; }},
    {SettingsPage::Options, "minimap", 1, within<1, 2>, [](Game& g) -> Slot { return &g.terrain.minimapMode; }},
    {SettingsPage::Options, "hide_ghost", 0, within<0, 1>, [](Game& g) -> Slot { return &g.ghostHidden; }},
    {SettingsPage::NewCourse, "map_size", 128, mapSide, [](Game&) -> Slot { return &g_mapSize; }},
    {SettingsPage::NewCourse, "controls", 6, within<4, 20>, [](Game&) -> Slot { return &g_nControls; }},
    {SettingsPage::NewCourse, "legs", 1, within<1, 3>, [](Game& g) -> Slot { return &g.terrain.course.legSize; }},
    {SettingsPage::NewCourse, "dense", 2, within<1, 3>, [](Game& g) -> Slot { return &g.nDenseAreas; }},
    {SettingsPage::NewCourse, "open", 2, within<1, 3>, [](Game& g) -> Slot { return &g.nOpenAreas; }},
};

const char* sectionOf(SettingsPage page) { return page == SettingsPage::Options ? "options" : "new_course"; }

std::vector<settings::Key> keys()
{
    std::vector<settings::Key> k;
    for (const Binding& b : kBindings)
        k.push_back({sectionOf(b.page), b.name, b.valid});
    return k;
}

int read(const Slot& slot)
{
    return std::visit([](auto* p) { return static_cast<int>(*p); }, slot);
}

void write(const Slot& slot, int value)
{
    std::visit([value](auto* p) { *p = static_cast<std::remove_pointer_t<decltype(p)>>(value); }, slot);
}

} // namespace

GameSettings::GameSettings() : file_(settings::defaultPath(), keys()) {}

void GameSettings::load(Game& game)
{
    const std::string problem = file_.load();
    if (!problem.empty())
        std::fprintf(stderr, "fernhollow: %s; the defaults stand for what could not be read\n", problem.c_str());
    for (const Binding& b : kBindings)
        if (std::optional<int> v = file_.get(sectionOf(b.page), b.name))
            write(b.slot(game), *v);
}

void GameSettings::applyToPage(Game& game, SettingsPage page)
{
    for (const Binding& b : kBindings)
        if (b.page == page)
            write(b.slot(game), file_.get(sectionOf(b.page), b.name).value_or(b.pageDefault));
}

void GameSettings::storeIfChanged(Game& game, SettingsPage page)
{
    bool changed = false;
    for (const Binding& b : kBindings)
        if (b.page == page)
            changed |= read(b.slot(game)) != file_.get(sectionOf(b.page), b.name).value_or(b.pageDefault);
    if (!changed)
        return;
    for (const Binding& b : kBindings)
        if (b.page == page)
            file_.set(sectionOf(b.page), b.name, read(b.slot(game)));
    std::string error;
    if (file_.save(error)) {
        lastError_.clear();
    } else if (error != lastError_) {
        std::fprintf(stderr, "fernhollow: %s; the settings hold until the game ends\n", error.c_str());
        lastError_ = error;
    }
}
