#include "model/vr_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::vector<VrObject> read(const std::string& text) { return readVrObjects(text.data(), text.size()); }

// One object in the usual layout with `vertices` "v" lines (and "t" lines
// when textured), vertex i at (i, 2i, 3i).
std::string object(int polygons, int vertices, const std::string& texture = "", float red = 0.5f)
{
    std::ostringstream s;
    s << "object {\n  translation v 1 2 3\n";
    if (!texture.empty())
        s << "  texture \"" << texture << "\"\n";
    s << "  material {\n    diffuse " << red << " 0.25 0.125\n  }\n";
    s << "  N_M_POLY " << polygons << " " << vertices << "\n";
    for (int i = 0; i < vertices; ++i) {
        s << "    v " << i << " " << 2 * i << " " << 3 * i << "\n";
        if (!texture.empty())
            s << "    t " << i / 10.0 << " 0.5\n";
    }
    s << "}\n";
    return s.str();
}

} // namespace

TEST(VrReader, PolygonCountsChooseQuadsTrianglesOrTheMixedForm)
{
    struct Case {
        const char* name;
        std::string text;
        size_t triangles, quads;
        float lastX;  // x of the last vertex kept
    };
    const std::string mixed = "object translation v 0 0 0 material diffuse 1 1 1 N_M_POLY 3 20\n"
                              "N_POLY 3 v 1 0 0 v 2 0 0 v 3 0 0\n"
                              "N_POLY 4 v 4 0 0 v 5 0 0 v 6 0 0 v 7 0 0\n"
                              "N_POLY 3 v 8 0 0 v 9 0 0 v 10 0 0 }\n"
                              "N_POLY 3 v 11 0 0 v 12 0 0 v 13 0 0\n";
    const std::vector<Case> cases = {
        {"10 and 40: ten quads", object(10, 40), 0, 40, 39},
        {"10 and 35: ten triangles from the first 30 vertices", object(10, 35), 30, 0, 29},
        {"2 and 2000: 333 triangles from 999 vertices", object(2, 2000), 999, 0, 998},
        {"mixed form up to the closing brace", mixed, 6, 4, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<VrObject> objects = read(c.text);
        ASSERT_EQ(objects.size(), 1u);
        const VrObject& o = objects[0];
        EXPECT_TRUE(o.read);
        EXPECT_EQ(o.triangles.size(), c.triangles);
        EXPECT_EQ(o.quads.size(), c.quads);
        const std::vector<VrVertex>& last = o.triangles.empty() ? o.quads : o.triangles;
        ASSERT_FALSE(last.empty());
        EXPECT_EQ(last.back().x, c.lastX);
    }
}

TEST(VrReader, ReadsTranslationColourTextureAndCoordinates)
{
    std::vector<VrObject> objects = read(object(1, 3, "bark.bmp", 0.75f));
    ASSERT_EQ(objects.size(), 1u);
    const VrObject& o = objects[0];
    EXPECT_EQ(o.translation[0], 1);
    EXPECT_EQ(o.translation[2], 3);
    EXPECT_EQ(o.colour[0], 0.75f);
    EXPECT_EQ(o.colour[2], 0.125f);
    EXPECT_TRUE(o.textured);
    EXPECT_EQ(o.textureName, "bark.bmp");
    ASSERT_EQ(o.triangles.size(), 3u);
    EXPECT_EQ(o.triangles[2].y, 4);
    EXPECT_EQ(o.triangles[2].z, 6);
    EXPECT_FLOAT_EQ(o.triangles[2].s, 0.2f);
    EXPECT_FLOAT_EQ(o.triangles[2].t, 0.5f);

    std::vector<VrObject> plain = read(object(1, 3));
    EXPECT_FALSE(plain[0].textured);
    EXPECT_TRUE(plain[0].textureName.empty());
    EXPECT_EQ(plain[0].triangles[1].s, 0);
}

TEST(VrReader, NumbersFollowTheSpaceAfterThePreviousOne)
{
    // Leading blanks are skipped, a second space makes the next number repeat
    // the first's text, and numbers that are not there read as 0.
    std::vector<VrObject> objects =
        read("object translation v  7 8 9 material diffuse 0.5  0.25 N_M_POLY 1 3 v 1e1 -2.5 3x v 4 5 v ");
    ASSERT_EQ(objects.size(), 1u);
    const VrObject& o = objects[0];
    EXPECT_EQ(o.translation[0], 7);
    EXPECT_EQ(o.translation[1], 7);
    EXPECT_EQ(o.translation[2], 8);
    EXPECT_EQ(o.colour[1], 0.25f);
    EXPECT_EQ(o.colour[2], 0.25f);
    ASSERT_EQ(o.triangles.size(), 3u);
    EXPECT_EQ(o.triangles[0].x, 10);
    EXPECT_EQ(o.triangles[0].y, -2.5f);
    EXPECT_EQ(o.triangles[0].z, 3);
    EXPECT_EQ(o.triangles[1].z, 0);
    EXPECT_EQ(o.triangles[2].x, 0);
}

TEST(VrReader, EveryOccurrenceOfObjectMakesAPart)
{
    // The word inside the texture name counts too; the third part is never
    // reached (no "object" follows the second), so it stays unread.
    std::string text = object(1, 3, "object.bmp") + object(1, 4);
    std::vector<VrObject> objects = read(text);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_TRUE(objects[0].read);
    EXPECT_EQ(objects[0].textureName, "object.bmp");
    EXPECT_TRUE(objects[1].read);
    EXPECT_FALSE(objects[2].read);
    EXPECT_TRUE(objects[2].triangles.empty());
}

TEST(VrReader, AMissingKeywordEndsTheRemainingParts)
{
    std::string noDiffuse = "object translation v 0 0 0 N_M_POLY 1 3 v 0 0 0 v 0 0 0 v 0 0 0\n";
    std::vector<VrObject> objects = read(object(1, 3) + noDiffuse + object(1, 3));
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_TRUE(objects[0].read);
    // The second object takes the third's diffuse and polygons; the third
    // then has nothing left to read.
    EXPECT_TRUE(objects[1].read);
    EXPECT_FALSE(objects[2].read);

    EXPECT_TRUE(read("").empty());
    EXPECT_TRUE(read("no models here").empty());
    std::vector<VrObject> cut = read("object translation v 1 2 3 material diffuse 1 1 1");
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_FALSE(cut[0].read);
}

TEST(VrReader, ATextureKeywordWithoutAMaterialAfterItIsNoTexture)
{
    std::vector<VrObject> objects =
        read("object translation v 0 0 0 diffuse 1 0 0 N_M_POLY 1 3 v 1 1 1 v 2 2 2 v 3 3 3 texture \"late.bmp\"");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_FALSE(objects[0].textured);
    EXPECT_TRUE(objects[0].textureName.empty());
    // The reader then goes on from that keyword and finds no diffuse after it.
    EXPECT_FALSE(objects[0].read);
}

TEST(VrReader, ObjectsBeyondTheScratchLimitsAreCutNotOverrun)
{
    std::string mixedQuads = "object translation v 0 0 0 material diffuse 1 1 1 N_M_POLY 60 1000\n";
    for (int i = 0; i < 60; ++i)
        mixedQuads += "N_POLY 4 v 1 0 0 v 2 0 0 v 3 0 0 v 4 0 0\n";
    mixedQuads += "N_POLY 5 v 9 9 9 N_POLY 7 N_POLY 3 v 1 0 0 v 2 0 0 v 3 0 0 }\n";
    std::string longName(200, 'n');
    struct Case {
        const char* name;
        std::string first;
        size_t triangles, quads;
        bool textured;
        std::string texture;
    };
    const std::vector<Case> cases = {
        {"all quads with 400 vertices keeps 50 quads", object(100, 400), 0, 200, false, ""},
        {"mixed form with 60 quads keeps 50 and skips unknown N_POLY entries", mixedQuads, 3, 200, false, ""},
        {"texture name of 127 characters", object(1, 3, std::string(127, 'k')), 3, 0, true, std::string(127, 'k')},
        {"texture name over 127 characters is dropped", object(1, 3, longName), 3, 0, true, ""},
        {"no polygons when P is 0", object(0, 3), 0, 0, false, ""},
        {"no polygons when P is negative", object(-4, -16), 0, 0, false, ""},
        {"counts beyond any integer", "object translation v 0 0 0 material diffuse 1 1 1 N_M_POLY 1e300 nan\n", 0,
         0, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<VrObject> objects = read(c.first + object(1, 4));
        ASSERT_EQ(objects.size(), 2u);
        EXPECT_TRUE(objects[0].read);
        EXPECT_EQ(objects[0].triangles.size(), c.triangles);
        EXPECT_EQ(objects[0].quads.size(), c.quads);
        EXPECT_EQ(objects[0].textured, c.textured);
        EXPECT_EQ(objects[0].textureName, c.texture);
        EXPECT_TRUE(objects[1].read) << "the next object is still read";
        EXPECT_EQ(objects[1].quads.size(), 4u);
    }
}

TEST(VrReader, ATextEndingInsideAPolygonKeepsOnlyWholePolygons)
{
    std::vector<VrObject> objects = read("object translation v 0 0 0 material diffuse 1 1 1 N_M_POLY 2 8 "
                                         "v 1 1 1 v 2 2 2 v 3 3 3 v 4 4 4 v 5 5 5 v 6 6 6");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].quads.size(), 4u);
}
