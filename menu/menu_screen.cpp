#include "menu/menu_screen.h"

#include "app/app.h"
#include "app/course_making.h"
#include "app/game.h"
#include "app/overlay.h"
#include "app/text.h"
#include "menu/course_code_entry.h"
#include "render/texture.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

MenuItem& itemAt(int slot) { return game().menu.items[slot]; }

// Main and options pages: stacked and centred around the middle.
void addStacked(MenuScreen& m, int i, int n, const char* text, int colour, MenuAction action, int argument)
{
    MenuItem& it = m.items[i];
    it.action = action;
    it.argument = argument;
    std::snprintf(it.text, sizeof it.text, "%s", text);
    it.centreX = 320;
    it.height = 24;
    it.width = 16 * static_cast<int>(std::strlen(text));
    it.centreY = 240 - (n / 2) * 28 + 28 * i;
    it.colour = colour;
    it.texture = -1;
}

// New-course page: placed by the top-left corner.
void addCornered(MenuScreen& m, int i, int left, int top, bool compact, const char* text, MenuAction action,
                 int argument)
{
    MenuItem& it = m.items[i];
    it.action = action;
    it.argument = argument;
    std::snprintf(it.text, sizeof it.text, "%s", text);
    it.compact = compact;
    it.width = compact ? 216 : 14 * static_cast<int>(std::strlen(text));
    it.height = 24;
    it.centreX = left + it.width / 2;
    it.centreY = top + it.height / 2;
    it.colour = 0xFF7F20;
    it.texture = -1;
}

void startGame(int kind)
{
    game().initialise(kind);
    app().state = AppStatePlaying;
}

void openNewCoursePage(int)
{
    game().menu.buildNewCourseMenu();
    game().terrain.allocateOnce();
}

void openOptionsPage(int) { game().menu.buildOptionsMenu(); }
void openMainPage(int) { game().menu.buildMainMenu(); }
void quit(int) { app().state = 0; }

const char* mapSizeLabel(int size)
{
    return size == 512 ? "Map Size: Big" : size == 256 ? "Map Size: Medium" : "Map Size: Small";
}

const char* legSizeLabel(int legs)
{
    return legs == 1 ? "Leg Size: Small" : legs == 2 ? "Leg Size: Big" : "Leg Size: 1B/3S";
}

const char* amountLabel(int amount) { return amount == 1 ? "High" : amount == 3 ? "Low" : "Medium"; }
const char* compassLabel(bool visible) { return visible ? "Compass: On" : "Compass: Off"; }
const char* minimapLabel(int mode) { return mode == 2 ? "MiniMap Movement: Mouse" : "MiniMap Movement: Auto"; }
const char* ghostLabel(bool hidden) { return hidden ? "Ghost: Off" : "Ghost: On"; }

// The map texture for the preview; -1 shows the empty preview.
TextureId previewTexture()
{
    const TextureId map = game().terrain.mapTexture;
    return hasTexture(map) ? map : -1;
}

// The cycles change only their setting: showSettingLabels holds the one
// wording of every new-course label.
void cycleMapSize(int)
{
    g_mapSize *= 2;
    if (g_mapSize > 512 || g_mapSize == 0)
        g_mapSize = 128;
    game().terrain.allocateGrids();
    showSettingLabels(game().menu);
    showCourseCode(game().menu, false);
}

void cycleControlCount(int)
{
    g_nControls += 1;
    if (g_nControls > 20 || g_nControls < 4)
        g_nControls = 4;
    showSettingLabels(game().menu);
}

void cycleLegSize(int)
{
    int32_t& legs = game().terrain.course.legSize;
    legs += 1;
    if (legs > 3)
        legs = 1;
    showSettingLabels(game().menu);
}

// Medium, High, Low, Medium, ...: 2 -> 1 -> 3 -> 2.
void cycleAmount(int32_t& amount)
{
    amount = amount == 3 ? 2 : amount == 2 ? 1 : 3;
    showSettingLabels(game().menu);
}

void cycleDense(int) { cycleAmount(game().nDenseAreas); }
void cycleOpen(int) { cycleAmount(game().nOpenAreas); }

void toggleCompass(int slot)
{
    bool& visible = game().player.compass.visible;
    visible = !visible;
    itemAt(slot).setText("%s", compassLabel(visible));
}

void toggleGhost(int slot)
{
    bool& hidden = game().ghostHidden;
    hidden = !hidden;
    itemAt(slot).setText("%s", ghostLabel(hidden));
}

void toggleMinimapMode(int slot)
{
    int32_t& mode = game().terrain.minimapMode;
    mode = mode == 1 ? 2 : 1;
    itemAt(slot).setText("%s", minimapLabel(mode));
}

void generateMap(int slot)
{
    makeFreshTerrain(game());
    showPreview(itemAt(slot));
    showCourseCode(game().menu, true);
}

void drawNewCourse(int slot)
{
    MenuItem& preview = itemAt(slot);
    if (!game().terrain.generated) {
        preview.texture = -1;
        return;
    }
    makeNextCourse(game());
    // Not showPreview: the size stays, which is the full 400 when the page
    // was built over a terrain kept from the last game.
    preview.texture = previewTexture();
    showCourseCode(game().menu, true);
}

} // namespace

// The Terrain owns the map texture and replaces it itself when it draws a
// new map, so the preview only takes the new name.
void showPreview(MenuItem& preview)
{
    preview.texture = previewTexture();
    int side = g_mapSize < 400 ? g_mapSize : 400;
    preview.width = preview.height = side;
}

void showSettingLabels(MenuScreen& m)
{
    const Game& g = game();
    m.items[0].setText("%s", mapSizeLabel(g_mapSize));
    m.items[1].setText("NControls: %i", g_nControls);
    m.items[6].setText("%s", legSizeLabel(g.terrain.course.legSize));
    m.items[7].setText("NDense Areas: %s", amountLabel(g.nDenseAreas));
    m.items[8].setText("NOpen Areas: %s", amountLabel(g.nOpenAreas));
}

bool MenuItem::hitTest(int x, int y) const
{
    return centreX - width / 2 < x && x < centreX + width / 2 && centreY - height / 2 < y &&
           y < centreY + height / 2;
}

void MenuItem::setText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
}

void MenuItem::drawItem() const
{
    if (width == 0)
        return;
    if (hasTexture(texture)) {
        drawImage(centreX - 0.5f * width, centreY - 0.5f * height, static_cast<float>(width),
                  static_cast<float>(height), texture, 0);
        return;
    }
    bindTexture(-1);
    // The rim halves the whole 0xRRGGBB value, not each channel.
    drawBox(centreX, centreY, width + 1, height + 1, static_cast<uint32_t>(colour / 2));
    drawBox(centreX, centreY, width, height, static_cast<uint32_t>(colour));
    float s = compact ? (armed ? 0.6f : 0.8f) : (armed ? 0.8f : 1.0f);
    float x = centreX - (std::strlen(text) * 12 * 0.5f * s);
    float y = armed ? centreY - 9.6f : centreY - 11.0f;
    beginOverlay();
    drawText(x, y, s, 1.0f, 0xFFFFFF, "%s", text);
    endOverlay();
}

void MenuScreen::buildMainMenu()
{
    *this = MenuScreen{};
    addStacked(*this, 0, 4, "QuickStart", 0xFFAF00, startGame, 2);
    addStacked(*this, 1, 4, "Start Game", 0x00AFFF, openNewCoursePage, 1);
    addStacked(*this, 2, 4, "Options", 0xAFAFAF, openOptionsPage, 1);
    addStacked(*this, 3, 4, "Exit", 0x00AF00, quit, 0);
}

void MenuScreen::buildOptionsMenu()
{
    *this = MenuScreen{};
    settingsPage = SettingsPage::Options;
    Game& g = game();
    g.settings.applyToPage(g, settingsPage);
    // Sized by the default labels, as a toggle keeps the size it was built with.
    addStacked(*this, 0, 3, "Compass: On", 0xFFAF00, toggleCompass, 0);
    addStacked(*this, 1, 3, "MiniMap Movement: Auto", 0xFF4F4F, toggleMinimapMode, 1);
    addStacked(*this, 2, 3, "Go Back", 0x00AFFF, openMainPage, 1);
    items[0].setText("%s", compassLabel(g.player.compass.visible));
    items[1].setText("%s", minimapLabel(g.terrain.minimapMode));
    // Below the fixed three, laid out as a fourth of them.
    addStacked(*this, 3, 3, "Ghost: On", 0x0090B0, toggleGhost, 3);
    items[3].setText("%s", ghostLabel(g.ghostHidden));
}

void MenuScreen::buildNewCourseMenu()
{
    *this = MenuScreen{};
    plainBackground = true;
    settingsPage = SettingsPage::NewCourse;
    Game& g = game();
    g.settings.applyToPage(g, settingsPage);
    addCornered(*this, 0, 416, 8, true, "Map Size: Small", cycleMapSize, 0);
    addCornered(*this, 1, 416, 50, true, "NControls: 6", cycleControlCount, 1);
    addCornered(*this, 2, 8, 416, false, "Generate Map", generateMap, kPreviewSlot);
    addCornered(*this, 3, 416, 416, false, "Start!", startGame, 3);
    addCornered(*this, 4, 408 - 14 * 10, 416, false, "New Course", drawNewCourse, kPreviewSlot);
    addCornered(*this, 5, 576, 416, false, "Back", openMainPage, 0);
    addCornered(*this, 6, 416, 92, true, "Leg Size: Small", cycleLegSize, 6);
    addCornered(*this, 7, 416, 134, true, "NDense Areas: Medium", cycleDense, 7);
    addCornered(*this, 8, 416, 176, true, "NOpen Areas: Medium", cycleOpen, 8);
    showSettingLabels(*this);
    MenuItem& preview = items[kPreviewSlot];
    preview.centreX = 208;
    preview.centreY = 208;
    preview.width = preview.height = 400;
    preview.colour = 0;
    preview.texture = -1;
    addCornered(*this, kCourseCodeSlot, 416, 218, true, "", nullptr, 0);
    items[kCourseCodeSlot].colour = 0x808080;  // grey: a label, not a button
    items[kCourseCodeSlot].width = 0;
    addCornered(*this, kEnterCodeSlot, 416, 260, true, "Enter Code", startCodeEntry, kEnterCodeSlot);
}

void MenuScreen::updateAndDraw()
{
    PointerReading p = game().input.pointer();
    // A press anywhere, "Enter Code" included, ends the typing.
    if (p.left && typingCode)
        endCodeEntry(*this);
    for (int i = 0; i < kSlots; ++i) {
        // An action that builds another page rewrites the slots in place, so
        // `it` then names the new page's item and the loop goes on over it.
        MenuItem& it = items[i];
        if (p.left) {
            it.armed = it.hitTest(p.x, p.y);
            continue;
        }
        bool over = it.hitTest(p.x, p.y);
        if (it.armed && over && it.action) {
            // The action may build another page; the click belongs to this one.
            const SettingsPage page = settingsPage;
            it.action(it.argument);
            if (page != SettingsPage::None)
                game().settings.storeIfChanged(game(), page);
        }
        if (it.armed && it.hitTest(p.x, p.y))
            it.armed = false;
        if (buttonSeen && !it.hitTest(p.x, p.y))
            it.armed = false;
    }
    if (p.left)
        buttonSeen = true;
    if (typingCode)
        updateCodeEntry(*this);
    for (const MenuItem& it : items)
        it.drawItem();
}
