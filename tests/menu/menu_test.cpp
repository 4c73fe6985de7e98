#include "menu/menu_screen.h"
#include "support/game_fixture.h"
#include "support/temp_folder.h"
#include "terrain/course.h"
#include "terrain/world_size.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class MenuTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        appRecord->state = AppStateMenu;
        g().menu.buildNewCourseMenu();
    }
    MenuItem& item(int i) { return g().menu.items[i]; }
    void press(int i) { item(i).action(item(i).argument); }
    // One menu frame's pointer handling with the pointer at (x, y).
    void pointerFrame(int x, int y, bool left)
    {
        script.pointerX = x;
        script.pointerY = y;
        script.buttons.left = left;
        beginTestFrame(0.02f);
        g().menu.updateAndDraw();
    }
};

} // namespace

TEST_F(MenuTest, MapSizeCyclesAndDropsTheGeneratedTerrain)
{
    const char* expected[] = {"Map Size: Medium", "Map Size: Big", "Map Size: Small"};
    const int sizes[] = {256, 512, 128};
    for (int i = 0; i < 3; ++i) {
        g().terrain.generated = true;
        press(0);
        EXPECT_STREQ(item(0).text, expected[i]);
        EXPECT_EQ(g_mapSize, sizes[i]);
        EXPECT_EQ(g().terrain.gridSide, sizes[i]) << "the grids follow the size at once";
        EXPECT_FALSE(g().terrain.generated);
        EXPECT_EQ(item(0).width, 216) << "a cycle keeps the button's size";
    }
}

TEST_F(MenuTest, ControlCountAndLegSizeCycle)
{
    for (int i = 0; i < 14; ++i)
        press(1);
    EXPECT_STREQ(item(1).text, "NControls: 20");
    press(1);
    EXPECT_STREQ(item(1).text, "NControls: 4");
    EXPECT_EQ(g_nControls, 4);

    const char* legs[] = {"Leg Size: Big", "Leg Size: 1B/3S", "Leg Size: Small"};
    for (const char* text : legs) {
        press(6);
        EXPECT_STREQ(item(6).text, text);
    }
    EXPECT_EQ(g().terrain.course.legSize, 1);
}

TEST_F(MenuTest, AreaAmountsGoMediumHighLowMedium)
{
    const char* dense[] = {"NDense Areas: High", "NDense Areas: Low", "NDense Areas: Medium"};
    const int values[] = {1, 3, 2};
    for (int i = 0; i < 3; ++i) {
        press(7);
        EXPECT_STREQ(item(7).text, dense[i]);
        EXPECT_EQ(g().nDenseAreas, values[i]);
    }
    press(8);
    EXPECT_STREQ(item(8).text, "NOpen Areas: High");
    EXPECT_EQ(g().nOpenAreas, 1);
}

TEST_F(MenuTest, NewCoursePageResetsItsSettingsAndShowsABlackPreview)
{
    g_mapSize = 512;
    g_nControls = 12;
    g().terrain.course.legSize = 3;
    g().nDenseAreas = 1;
    g().menu.buildNewCourseMenu();
    EXPECT_EQ(g_mapSize, 128);
    EXPECT_EQ(g_nControls, 6);
    EXPECT_EQ(g().terrain.course.legSize, 1);
    EXPECT_EQ(g().nDenseAreas, 2);
    const MenuItem& preview = item(MenuScreen::kPreviewSlot);
    EXPECT_EQ(preview.centreX, 208);
    EXPECT_EQ(preview.centreY, 208);
    EXPECT_EQ(preview.width, 400);
    EXPECT_EQ(preview.texture, -1);
    EXPECT_EQ(preview.colour, 0);

    press(4);  // "New Course" before any "Generate Map"
    EXPECT_EQ(preview.texture, -1);
    EXPECT_FALSE(g().terrain.generated);
}

TEST_F(MenuTest, GeneratedPreviewIsTheMapAtOnePixelPerCellUpTo400)
{
    g().terrain.allocateOnce();
    for (int size : {128, 512}) {
        g_mapSize = size;
        g().terrain.allocateGrids();
        press(2);
        const MenuItem& preview = item(MenuScreen::kPreviewSlot);
        EXPECT_TRUE(g().terrain.generated);
        EXPECT_EQ(preview.width, size < 400 ? size : 400);
        EXPECT_EQ(preview.height, preview.width);
        EXPECT_EQ(preview.centreX, 208);
    }
}

TEST_F(MenuTest, PageLayoutsFollowTheirRules)
{
    struct Case {
        int slot, centreX, centreY, width;
    } newCourse[] = {
        {0, 524, 20, 216}, {1, 524, 62, 216}, {2, 92, 428, 168}, {3, 458, 428, 84},
        {4, 338, 428, 140}, {5, 604, 428, 56}, {6, 524, 104, 216}, {7, 524, 146, 216}, {8, 524, 188, 216},
    };
    for (const Case& c : newCourse) {
        EXPECT_EQ(item(c.slot).centreX, c.centreX) << c.slot;
        EXPECT_EQ(item(c.slot).centreY, c.centreY) << c.slot;
        EXPECT_EQ(item(c.slot).width, c.width) << c.slot;
    }
    g().menu.buildMainMenu();
    const char* main[] = {"QuickStart", "Start Game", "Options", "Exit"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(item(i).text, main[i]);
        EXPECT_EQ(item(i).centreY, 184 + 28 * i);
        EXPECT_EQ(item(i).width, 16 * static_cast<int>(std::string(main[i]).size()));
    }
    EXPECT_EQ(item(4).width, 0) << "unused slots stay empty";
    g().player.compass.visible = false;
    g().terrain.minimapMode = 2;
    g().menu.buildOptionsMenu();
    EXPECT_TRUE(g().player.compass.visible) << "opening the options turns the compass back on";
    EXPECT_EQ(g().terrain.minimapMode, 1);
    EXPECT_EQ(item(0).centreY, 212);
    EXPECT_EQ(item(2).centreY, 268);
}

TEST_F(MenuTest, HitTestIsStrictlyInside)
{
    MenuItem it;
    it.centreX = 100;
    it.centreY = 50;
    it.width = 21;  // halves truncate to 10
    it.height = 24;
    EXPECT_TRUE(it.hitTest(100, 50));
    EXPECT_TRUE(it.hitTest(91, 39));
    EXPECT_FALSE(it.hitTest(90, 50));
    EXPECT_FALSE(it.hitTest(110, 50));
    EXPECT_FALSE(it.hitTest(100, 38));
    EXPECT_FALSE(it.hitTest(100, 62));
}

TEST_F(MenuTest, AClickFiresOnReleaseOverTheItemOnly)
{
    // "NControls" at (524, 62): press and release over it fires once.
    pointerFrame(524, 62, false);
    pointerFrame(524, 62, true);
    pointerFrame(524, 62, true);
    EXPECT_STREQ(item(1).text, "NControls: 6");
    pointerFrame(524, 62, false);
    EXPECT_STREQ(item(1).text, "NControls: 7");
    pointerFrame(524, 62, false);
    EXPECT_STREQ(item(1).text, "NControls: 7");

    // Pressed on the item, released elsewhere: nothing.
    pointerFrame(524, 62, true);
    pointerFrame(300, 300, false);
    EXPECT_STREQ(item(1).text, "NControls: 7");

    // Pressed outside and dragged onto the item: fires on release.
    pointerFrame(300, 300, true);
    pointerFrame(524, 62, true);
    pointerFrame(524, 62, false);
    EXPECT_STREQ(item(1).text, "NControls: 8");
}

TEST_F(MenuTest, GhostSettingStandsClearOfTheFixedItemsAndIsKept)
{
    testsupport::TempFolder config;
    const char* was = std::getenv("XDG_CONFIG_HOME");
    const std::string previous = was ? was : "";
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    g().settings = GameSettings();

    g().menu.buildOptionsMenu();
    const MenuItem& ghost = item(3);
    EXPECT_STREQ(ghost.text, "Ghost: On") << "the ghost shows by default";
    for (int i = 0; i < 3; ++i)
        EXPECT_GE(ghost.centreY - ghost.height / 2, item(i).centreY + item(i).height / 2) << "below item " << i;
    pointerFrame(ghost.centreX, ghost.centreY, true);
    pointerFrame(ghost.centreX, ghost.centreY, false);
    EXPECT_TRUE(g().ghostHidden);
    EXPECT_STREQ(item(3).text, "Ghost: Off");
    g().menu.buildOptionsMenu();
    EXPECT_STREQ(item(3).text, "Ghost: Off") << "reopening the page keeps the choice";
    g().ghostHidden = false;
    GameSettings().load(g());
    EXPECT_TRUE(g().ghostHidden) << "the next start reads it back";

    if (was)
        setenv("XDG_CONFIG_HOME", previous.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
