#include "app/text.h"

#include "app/overlay.h"
#include "app/render_state.h"
#include "render/texture.h"
#include "support/bmp_builder.h"
#include "support/gl_test.h"
#include "support/pattern_font.h"
#include "support/temp_folder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

struct Box {
    int left, top, right, bottom;
};

Box boxOf(const GlyphQuad& q) { return {q.x[0], q.y[0], q.x[2], q.y[2]}; }

bool operator==(const Box& a, const Box& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& os, const Box& b)
{
    return os << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
}

} // namespace

TEST(TextLayout, PlacesGlyphQuadsAndMovesThePen)
{
    struct Case {
        const char* name;
        float x, y, scale;
        std::string text;
        std::vector<Box> boxes;
    };
    const std::vector<Case> cases = {
        {"AB overlap by 4", 10, 16, 1, "AB", {{10, 16, 26, 32}, {22, 16, 38, 32}}},
        {"line feed returns to x and moves down 16", 10, 16, 1, "A\nB", {{10, 16, 26, 32}, {10, 32, 26, 48}}},
        {"tab and codes above 126 neither draw nor advance", 10, 16, 1, "A\t\xC8" "B",
         {{10, 16, 26, 32}, {22, 16, 38, 32}}},
        {"space draws cell 0 like any glyph", 0, 0, 1, " ", {{0, 0, 16, 16}}},
        {"scale 2: 32-unit glyphs, 24-unit advance", 5, 5, 2, "AB\nC", {{5, 5, 37, 37}, {29, 5, 61, 37}, {5, 37, 37, 69}}},
        {"fractional start and scale truncate", 10.9f, 16.7f, 1.5f, "AB", {{10, 16, 34, 40}, {28, 16, 52, 40}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<GlyphQuad> quads = layoutText(c.x, c.y, c.scale, c.text);
        std::vector<Box> boxes;
        for (const GlyphQuad& q : quads)
            boxes.push_back(boxOf(q));
        EXPECT_EQ(boxes, c.boxes);
    }
}

TEST(TextLayout, TextureCoordinatesPickTheGlyphCell)
{
    // 'A' is code 65: cell column 1, row 2 from the top of the picture.
    GlyphQuad q = layoutText(0, 0, 1, "A").at(0);
    EXPECT_FLOAT_EQ(q.s[0], 16 / 256.0f);
    EXPECT_FLOAT_EQ(q.s[2], 32 / 256.0f);
    EXPECT_FLOAT_EQ(q.t[0], 224 / 256.0f) << "top edge of the cell";
    EXPECT_FLOAT_EQ(q.t[1], 208 / 256.0f);
    // '~' (126) is the last cell drawn: column 14, row 5.
    GlyphQuad tilde = layoutText(0, 0, 1, "~").at(0);
    EXPECT_FLOAT_EQ(tilde.s[0], 224 / 256.0f);
    EXPECT_FLOAT_EQ(tilde.t[0], 176 / 256.0f);
}

namespace {

class TextDrawing : public testsupport::GlTest {
protected:
    void loadPatternFont()
    {
        platform().assetFolder = folder.path();
        std::string images = folder.subfolder("Images");
        ASSERT_TRUE(testbmp::writeFile(images + "font.bmp", testsupport::patternFontBmp()));
        loadFont();
        ASSERT_GT(renderState().fontTexture, 0);
        EXPECT_TRUE(platform().boxes.empty());
    }

    testsupport::TempFolder folder;
};

} // namespace

TEST_F(TextDrawing, WhiteTextIsLegible)
{
    loadPatternFont();
    beginOverlay();
    drawPlainText(10, 16, "Time: %02d:%02d", 3, 7);
    drawText(100, 200, 1, 1, 0xFFFFFF, "Control %d of %d", 4, 8);
    drawText(100, 300, 1, 1, 0xFFFFFF, "%s", "line one\nline two");
    drawText(0, 0, 1, 1, 0xFFFFFF, nullptr);
    endOverlay();
    testsupport::Capture c = captureAndSave("text_legible");
    EXPECT_EQ(readPatternText(c, 10, 16, 11), "Time: 03:07");
    EXPECT_EQ(readPatternText(c, 100, 200, 14), "Control 4 of 8");
    EXPECT_EQ(readPatternText(c, 100, 300, 8), "line one");
    EXPECT_EQ(readPatternText(c, 100, 316, 8), "line two");
}

TEST_F(TextDrawing, ColourAndOpacityApplyToTheGlyphs)
{
    // Without a font the glyphs are solid blocks of the text colour.
    renderState().fontTexture = 0;
    beginOverlay();
    drawText(100, 100, 1, 0.2f, 0xFFFFFF, "A");
    drawText(200, 100, 1, 1, 0xFF8000, "A");
    endOverlay();
    testsupport::Capture c = captureAndSave("text_opacity");
    EXPECT_GT(shareNear(c, 101, 101, 115, 115, {51, 51, 51}, 1), 0.99) << "opacity 51/255";
    EXPECT_GT(shareNear(c, 201, 101, 215, 115, {255, 128, 0}, 1), 0.99);
    EXPECT_EQ(shareNear(c, 117, 101, 199, 115, {0, 0, 0}, 0), 1);
}

TEST_F(TextDrawing, LongTextIsCutTo255Characters)
{
    renderState().fontTexture = 0;
    std::string wrapped;
    for (int i = 0; i < 300; ++i)
        wrapped += i % 50 == 49 ? '\n' : 'W';
    beginOverlay();
    drawText(0, 0, 1, 1, 0xFFFFFF, "%s", wrapped.c_str());
    endOverlay();
    testsupport::Capture c = testsupport::captureBackBuffer();
    // 255 characters are five lines of 49 glyphs and a line feed each, then
    // five glyphs of the sixth line.
    EXPECT_NEAR(c.at(12 * 4 + 5, 5 * 16 + 8).r, 255, 1);
    EXPECT_EQ(c.at(12 * 5 + 8, 5 * 16 + 8).r, 0);
    EXPECT_EQ(c.at(5, 6 * 16 + 8).r, 0);
}
