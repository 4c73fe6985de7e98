#include "app/hud_text.h"

#include "app/overlay.h"
#include "app/render_state.h"
#include "app/text.h"
#include "support/bmp_builder.h"
#include "support/gl_test.h"
#include "support/pattern_font.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(HudTextStore, LinesAreCutAndCountedUpToTheLimit)
{
    HudText hud;
    for (int i = 0; i < HudText::kMaxLines; ++i)
        EXPECT_EQ(hud.addLine("line %d", i), 1);
    EXPECT_EQ(hud.addLine("one too many"), 0);
    EXPECT_EQ(hud.lineCount, 28);
    EXPECT_STREQ(hud.lines[27], "line 27");

    hud.clearLines();
    EXPECT_EQ(hud.lineCount, 0);
    EXPECT_EQ(hud.addLine(nullptr), 0);
    EXPECT_EQ(hud.lineCount, 0);
    std::string seventy(70, 'x');
    hud.addLine("%s", seventy.c_str());
    EXPECT_EQ(std::strlen(hud.lines[0]), 63u);
}

TEST(HudTextStore, LabelsKeepTheirPlaceUntilClearAll)
{
    HudText hud;
    EXPECT_EQ(hud.addLabel(300, 20, 2, 0xFF0000, "%d", 5), 1);
    EXPECT_EQ(hud.addLabel(0, 0, 1, 0, nullptr), 0);
    for (int i = 1; i < HudText::kMaxLabels; ++i)
        hud.addLabel(1, 1, 1, 1, "x");
    EXPECT_EQ(hud.addLabel(1, 1, 1, 1, "ninth"), 0);
    EXPECT_EQ(hud.labelCount, 8);

    hud.addLine("a line");
    hud.clearLines();
    EXPECT_EQ(hud.labelCount, 8);
    EXPECT_EQ(hud.labels[0].x, 300);
    EXPECT_STREQ(hud.labels[0].text, "5");
    EXPECT_EQ(hud.labels[0].colour, 0xFF0000);

    hud.clearAll();
    EXPECT_EQ(hud.labelCount, 0);
    for (const HudLabel& label : hud.labels) {
        EXPECT_EQ(label.x, 0);
        EXPECT_EQ(label.scale, 0);
        EXPECT_EQ(label.colour, 0xFFFFFF);
        EXPECT_STREQ(label.text, "");
    }
}

namespace {
class HudTextDrawing : public testsupport::GlTest {};
} // namespace

TEST_F(HudTextDrawing, DrawsLinesDownTheLeftThenLabelsAsStored)
{
    testsupport::TempFolder folder;
    platform().assetFolder = folder.path();
    ASSERT_TRUE(testbmp::writeFile(folder.subfolder("Images") + "font.bmp", testsupport::patternFontBmp()));
    loadFont();

    HudText hud;
    hud.addLine("FPS: %3.1f", 59.94);
    hud.addLine("%s", "100%d");
    hud.addLabel(400, 300, 1, 0xFFFFFF, "Next: %d", 3);
    beginOverlay();
    hud.draw();
    endOverlay();
    testsupport::Capture c = captureAndSave("hud_text");
    EXPECT_EQ(testsupport::readPatternText(c, 10, 16, 9), "FPS: 59.9");
    EXPECT_EQ(testsupport::readPatternText(c, 10, 32, 5), "100%d") << "stored text is not formatted again";
    EXPECT_EQ(testsupport::readPatternText(c, 400, 300, 7), "Next: 3");
}
